// The Windows program against a minimal Win32 window (MinimalWin32Window.cpp), in turn in the
// same run: the time from the start of the process to its first window painted, and the peak
// working set of the process by then. Then, in this process, one "Mois suivant" command with
// its repaint against Windows' month-calendar control doing the same step with its captions.
//
// What "painted" means here: the process has a visible top-level window, its thread has served
// a WM_NULL sent to it (so it is in its message loop, past what was sent before), and neither
// that window nor any of its child windows has a region left to paint (GetUpdateRect), checked
// again after each round trip until it holds. Whatever window the program shows first counts.
#include "win32/Win32.h"
// After windows.h.
#include <commctrl.h>
#include <psapi.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dates/DateLocale.h"
#include "platform/LocaleSource.h"
#include "win32/Application.h"
#include "win32/MainWindow.h"

namespace {

struct WindowRun {
  double ms = 0;
  double peakKiB = 0;
};

std::wstring BesideThisProgram(const wchar_t* relative) {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path.substr(0, path.find_last_of(L"\\/") + 1) + relative;
}

struct Search {
  DWORD process;
  HWND found;
};

BOOL CALLBACK StopAtVisibleWindowOf(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != search.process || !::IsWindowVisible(window)) return TRUE;
  search.found = window;
  return FALSE;
}

HWND VisibleTopLevelWindowOf(DWORD process) {
  Search search{process, nullptr};
  ::EnumWindows(StopAtVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK StopAtWindowLeftToPaint(HWND child, LPARAM context) {
  if (!::GetUpdateRect(child, nullptr, FALSE)) return TRUE;
  *reinterpret_cast<bool*>(context) = true;
  return FALSE;
}

// Whether the window or one of its child windows still has a region to paint.
bool LeftToPaint(HWND window) {
  bool pending = ::GetUpdateRect(window, nullptr, FALSE) != FALSE;
  if (!pending)
    ::EnumChildWindows(window, StopAtWindowLeftToPaint, reinterpret_cast<LPARAM>(&pending));
  return pending;
}

double MsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now;
  LARGE_INTEGER frequency;
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - start.QuadPart) * 1e3 /
         static_cast<double>(frequency.QuadPart);
}

// Starts the program, waits for its first window painted, reads its peak working set, and
// closes it with WM_CLOSE. Fails the benchmark when the program shows no window.
bool StartAndMeasure(const std::wstring& exe, WindowRun& run, benchmark::State& state) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + exe + L"\"";
  LARGE_INTEGER start;
  ::QueryPerformanceCounter(&start);
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
    state.SkipWithError("CreateProcessW failed");
    return false;
  }
  // A program that shows no window within 30 s (or ends first) fails the benchmark.
  HWND window = nullptr;
  while (window == nullptr && MsSince(start) < 30000) {
    ::WaitForInputIdle(process.hProcess, 50);
    window = VisibleTopLevelWindowOf(process.dwProcessId);
    if (window == nullptr && ::WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  bool painted = false;
  for (int round = 0; window != nullptr && round < 1000 && !painted; ++round) {
    DWORD_PTR ignored = 0;
    if (!::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored)) break;
    painted = !LeftToPaint(window);
  }
  run.ms = MsSince(start);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof(memory);
  if (::GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory)))
    run.peakKiB = static_cast<double>(memory.PeakWorkingSetSize) / 1024;
  if (window != nullptr) ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
    ::TerminateProcess(process.hProcess, 1);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  if (!painted) state.SkipWithError("the program showed no painted window");
  return painted;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

void BM_StartUp_DorvaneVsMinimalWin32(benchmark::State& state) {
  const std::wstring dorvane = BesideThisProgram(DORVANE_EXE);
  const std::wstring minimal = BesideThisProgram(MINIMAL_EXE);
  std::vector<double> times[2];
  std::vector<double> peaks[2];
  // One start of each first, untimed: the system's libraries are then in the file cache.
  WindowRun run;
  if (!StartAndMeasure(minimal, run, state) || !StartAndMeasure(dorvane, run, state)) return;
  for (auto _ : state) {
    for (int which = 0; which < 2; ++which) {
      if (!StartAndMeasure(which == 0 ? dorvane : minimal, run, state)) return;
      times[which].push_back(run.ms);
      peaks[which].push_back(run.peakKiB);
    }
    state.SetIterationTime(times[0].back() / 1e3);
  }
  const double time[2] = {Median(times[0]), Median(times[1])};
  const double peak[2] = {Median(peaks[0]), Median(peaks[1])};
  state.counters["dorvane_ms"] = time[0];
  state.counters["minimal_ms"] = time[1];
  state.counters["time_ratio"] = time[1] > 0 ? time[0] / time[1] : 0;
  state.counters["dorvane_peak_KiB"] = peak[0];
  state.counters["minimal_peak_KiB"] = peak[1];
  state.counters["memory_ratio"] = peak[1] > 0 ? peak[0] / peak[1] : 0;
}
BENCHMARK(BM_StartUp_DorvaneVsMinimalWin32)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);

// The program's set-up for its windows, once: common controls, locale texts, application.
void App() {
  static const auto* app = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_BAR_CLASSES | ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&controls);
    dorvane::LoadDateLocale(*dorvane::platform::UserLocaleSource());
    return new dorvane::win32::TApplication();
  }();
  (void)app;
}

// Paints at once what the window and its child windows have left to paint.
void PaintNow(HWND window) {
  ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// One "Mois suivant": the grid steps, the captions are rebuilt, and the window repaints what
// changed. Every 5000 years of steps the grid goes back to its first date, untimed. Argument 1:
// with the week column and the holidays shown, beside the step without them (0).
void BM_MonthForwardWithRepaint(benchmark::State& state) {
  App();
  dorvane::win32::MainWindow window;
  window.View().BringForward();
  dorvane::win32::TApplication::ProcessPending();
  dorvane::TForm1& form = window.Form();
  form.Calendar1().SetShowWeekNumbers(state.range(0) != 0);
  form.Calendar1().SetShowHolidays(state.range(0) != 0);
  PaintNow(window.Handle());
  const dorvane::TDateTime start = form.Calendar1().SelectedDate();
  int steps = 0;
  for (auto _ : state) {
    form.tlbtnMApresClick();
    PaintNow(window.Handle());
    if (++steps == 12 * 5000) {
      state.PauseTiming();
      steps = 0;
      form.Calendar1().SetSelectedDate(start);
      PaintNow(window.Handle());
      state.ResumeTiming();
    }
  }
}

// The reference for the month step: Windows' own month-calendar control doing the same work in
// a window of Dorvane's size, one month forward, then the same four captions (two labels and two
// status bar parts) set and the window repainted.
void BM_MonthCalendarStepWithRepaint(benchmark::State& state) {
  App();
  HWND window =
      ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                        CW_USEDEFAULT, 345, 375, nullptr, nullptr, nullptr, nullptr);
  HWND calendar = ::CreateWindowExW(0, MONTHCAL_CLASSW, L"", WS_CHILD | WS_VISIBLE, 12, 92, 301,
                                    139, window, nullptr, nullptr, nullptr);
  HWND banner = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 12, 52, 301, 24, window,
                                  nullptr, nullptr, nullptr);
  HWND line = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 12, 250, 301, 16, window,
                                nullptr, nullptr, nullptr);
  HWND bar = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window,
                               nullptr, nullptr, nullptr);
  int parts[] = {90, 275, -1};
  ::SendMessageW(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
  dorvane::win32::TApplication::ProcessPending();
  SYSTEMTIME day{};
  ::SendMessageW(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
  day.wDay = std::min<WORD>(day.wDay, 28);
  const SYSTEMTIME start = day;
  int steps = 0;
  for (auto _ : state) {
    day.wYear = static_cast<WORD>(day.wYear + day.wMonth / 12);
    day.wMonth = static_cast<WORD>(day.wMonth % 12 + 1);
    ::SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
    const std::wstring n = std::to_wstring(++steps);
    ::SetWindowTextW(banner, (L"Mois " + n).c_str());
    ::SetWindowTextW(line, (L"Jour " + n).c_str());
    ::SendMessageW(bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>((L"Jour : " + n).c_str()));
    ::SendMessageW(bar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>((L"Lune : " + n).c_str()));
    PaintNow(window);
    if (day.wYear >= 9000) {
      state.PauseTiming();
      day = start;
      state.ResumeTiming();
    }
  }
  ::DestroyWindow(window);
}

// One static control of a label's size, its text changed and repainted: what one repainted
// window costs at least.
void BM_LabelTextWithRepaint(benchmark::State& state) {
  App();
  HWND label = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 297, 20, nullptr,
                                 nullptr, nullptr, nullptr);
  dorvane::win32::TApplication::ProcessPending();
  int n = 0;
  for (auto _ : state) {
    ::SetWindowTextW(label, std::to_wstring(++n).c_str());
    PaintNow(label);
  }
  ::DestroyWindow(label);
}
BENCHMARK(BM_LabelTextWithRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MonthCalendarStepWithRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MonthForwardWithRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
