// The running program: whole-process start-up against a minimal Qt program, one "Mois suivant"
// command through captions and repaint, and the idle cost of the open window.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QLabel>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ChildProcess.h"
#include "qt/Application.h"
#include "qt/MainWindow.h"
#include "qt/QtCanvas.h"
#include "qt/StatusBar.h"

namespace {

using dorvane::bench::Median;
using dorvane::bench::ProcessRun;
using dorvane::bench::RunToEnd;
using dorvane::bench::Spawn;

// Both programs in turn, so that the machine's load weighs on them alike; each run is a whole
// process, from its start to the PNG written and its exit.
void BM_StartUp_DorvaneVsMinimalQt(benchmark::State& state) {
  const std::string shot = "/tmp/dorvane-bench-" + std::to_string(getpid()) + ".png";
  std::vector<double> dorvane, minimal, dorvaneCpu, minimalCpu;
  long dorvanePeak = 0;
  long minimalPeak = 0;
  for (auto _ : state) {
    const ProcessRun m = RunToEnd({MINIMAL_EXE, shot});
    const ProcessRun d = RunToEnd({DORVANE_EXE, "--screenshot", shot});
    minimal.push_back(m.seconds * 1e3);
    dorvane.push_back(d.seconds * 1e3);
    minimalCpu.push_back(m.cpuSeconds * 1e3);
    dorvaneCpu.push_back(d.cpuSeconds * 1e3);
    minimalPeak = std::max(minimalPeak, m.peakKiB);
    dorvanePeak = std::max(dorvanePeak, d.peakKiB);
    state.SetIterationTime(d.seconds);
  }
  std::remove(shot.c_str());
  const double d = Median(dorvane);
  const double m = Median(minimal);
  state.counters["dorvane_ms"] = d;
  state.counters["minimal_ms"] = m;
  state.counters["time_ratio"] = m > 0 ? d / m : 0;
  const double dc = Median(dorvaneCpu);
  const double mc = Median(minimalCpu);
  state.counters["dorvane_cpu_ms"] = dc;
  state.counters["minimal_cpu_ms"] = mc;
  state.counters["cpu_ratio"] = mc > 0 ? dc / mc : 0;
  state.counters["dorvane_peak_KiB"] = static_cast<double>(dorvanePeak);
  state.counters["minimal_peak_KiB"] = static_cast<double>(minimalPeak);
  state.counters["memory_ratio"] =
      minimalPeak > 0 ? static_cast<double>(dorvanePeak) / static_cast<double>(minimalPeak) : 0;
}
BENCHMARK(BM_StartUp_DorvaneVsMinimalQt)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(21);

dorvane::TApplication& App() {
  static int argc = 1;
  static char name[] = "dorvane-bench";
  static char* argv[] = {name, nullptr};
  static auto* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    auto* created = new dorvane::TApplication(argc, argv);
    QApplication::setFont(dorvane::ToQFont(dorvane::Font()));
    return created;
  }();
  return *app;
}

// The application exists before the window that the derived class holds is built.
struct WithApp {
  WithApp() { App(); }
};

// The main window, shown and painted once, ready to be measured.
struct ShownMainWindow : WithApp {
  ShownMainWindow() {
    form.show();
    QCoreApplication::processEvents();
  }
  dorvane::MainWindow form;
};

// Every 5000 years of steps the grid goes back to its first date, so that a long run never
// reaches the end of the calendar.
bool DueForReset(int& steps) {
  if (++steps < 12 * 5000) return false;
  steps = 0;
  return true;
}

// One "Mois suivant": the grid steps, the captions are rebuilt, and the window repaints what
// changed.
void BM_MonthForwardWithRepaint(benchmark::State& state) {
  ShownMainWindow window;
  dorvane::TForm1& form = window.form.Form();
  const dorvane::TDateTime start = form.Calendar1().SelectedDate();
  int steps = 0;
  for (auto _ : state) {
    form.tlbtnMApresClick();
    QCoreApplication::processEvents();
    if (DueForReset(steps)) {
      state.PauseTiming();
      form.Calendar1().SetSelectedDate(start);
      QCoreApplication::processEvents();
      state.ResumeTiming();
    }
  }
}

// The reference: one label's text changed and repainted.
void BM_LabelTextWithRepaint(benchmark::State& state) {
  App();
  QLabel label;
  label.resize(297, 20);
  label.show();
  QCoreApplication::processEvents();
  int n = 0;
  for (auto _ : state) {
    label.setText(QString::number(++n));
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_LabelTextWithRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MonthForwardWithRepaint)->Unit(benchmark::kMicrosecond);

long CpuMs(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  const auto close = line.rfind(')');
  if (close == std::string::npos) return -1;
  std::vector<std::string> fields;
  std::string field;
  for (char c : line.substr(close + 2)) {
    if (c == ' ') {
      fields.push_back(field);
      field.clear();
    } else {
      field += c;
    }
  }
  // utime and stime are fields 14 and 15 of the line, 12 and 13 after the name.
  const long ticks = std::stol(fields.at(11)) + std::stol(fields.at(12));
  return ticks * 1000 / sysconf(_SC_CLK_TCK);
}

// CPU used by the open window over 30 s, once its start-up is over.
void BM_Idle30s(benchmark::State& state) {
  long idleMs = 0;
  for (auto _ : state) {
    const pid_t pid = Spawn({DORVANE_EXE});
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const long before = CpuMs(pid);
    std::this_thread::sleep_for(std::chrono::seconds(30));
    const long after = CpuMs(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    idleMs = after - before;
    state.SetIterationTime(30);
  }
  state.counters["idle_cpu_ms"] = static_cast<double>(idleMs);
}
BENCHMARK(BM_Idle30s)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

// The parts of one step: the grid and the captions without painting, then the painting of
// the grid alone and of the captions alone.

void BM_MonthForwardWithoutRepaint(benchmark::State& state) {
  ShownMainWindow window;
  dorvane::TForm1& form = window.form.Form();
  const dorvane::TDateTime start = form.Calendar1().SelectedDate();
  int steps = 0;
  for (auto _ : state) {
    form.tlbtnMApresClick();
    if (DueForReset(steps)) form.Calendar1().SetSelectedDate(start);
  }
}
BENCHMARK(BM_MonthForwardWithoutRepaint)->Unit(benchmark::kMicrosecond);

void BM_GridRepaint(benchmark::State& state) {
  ShownMainWindow window;
  QWidget* grid = window.form.Controls().Find("Calendar1");
  for (auto _ : state) {
    grid->update();
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_GridRepaint)->Unit(benchmark::kMicrosecond);

void BM_CaptionsRepaint(benchmark::State& state) {
  ShownMainWindow window;
  const dorvane::FormControls& controls = window.form.Controls();
  auto* bar = controls.Get<dorvane::TStatusBar>("StatusBar1");
  int i = 0;
  for (auto _ : state) {
    bar->SetPanelText(0, std::to_string(++i));
    bar->SetPanelText(1, std::to_string(i));
    controls.Find("RxLabel1")->update();
    controls.Find("RxLabel2")->update();
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_CaptionsRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
