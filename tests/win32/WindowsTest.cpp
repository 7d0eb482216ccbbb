// The native windows under Wine, beyond the window scenarios that run on both front ends: the
// layout at a new dpi through the system's message, and the program's own
// screenshots read back through WIC.
#include "calendar/Calendar.h"
#include "controls/Lines.h"
#include "controls/RXCtrls.h"
#include "dates/Captions.h"
#include "dates/DateValue.h"
#include "forms/MainForm.h"
#include "help/hh.h"
#include "win32/AboutWindow.h"
#include "win32/Application.h"
#include "win32/ControlWindows.h"
#include "win32/MainWindow.h"
#include "win32/SearchWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/Wide.h"

#include <commctrl.h>
#include <initguid.h>
#include <objbase.h>
#include <wincodec.h>
#include "win32/Win32.h"

namespace {

using namespace dorvane;
using namespace dorvane::win32;

// A PNG's pixels, read through the system's imaging component.
struct Picture {
  UINT width = 0;
  UINT height = 0;
  std::vector<BYTE> bgra;
  COLORREF At(int x, int y) const {
    const BYTE* p = &bgra[(static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)) * 4];
    return RGB(p[2], p[1], p[0]);
  }
};

Picture ReadPng(const std::wstring& file) {
  Picture picture;
  IWICImagingFactory* factory = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  if (SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
      SUCCEEDED(factory->CreateDecoderFromFilename(file.c_str(), nullptr, GENERIC_READ,
                                                   WICDecodeMetadataCacheOnDemand, &decoder)) &&
      SUCCEEDED(decoder->GetFrame(0, &frame)) &&
      SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
      SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                      nullptr, 0, WICBitmapPaletteTypeCustom)) &&
      SUCCEEDED(converter->GetSize(&picture.width, &picture.height))) {
    picture.bgra.resize(static_cast<std::size_t>(picture.width) * picture.height * 4);
    if (FAILED(converter->CopyPixels(nullptr, picture.width * 4,
                                     static_cast<UINT>(picture.bgra.size()),
                                     picture.bgra.data()))) {
      picture = {};
    }
  }
  for (IUnknown* object : std::initializer_list<IUnknown*>{converter, frame, decoder, factory}) {
    if (object != nullptr) object->Release();
  }
  return picture;
}

// Runs dorvane.exe with its arguments; its exit code.
DWORD RunProgram(const std::wstring& arguments) {
  std::wstring exe = platform::Wide(DORVANE_PROGRAM);
  for (wchar_t& c : exe) c = c == L'/' ? L'\\' : c;
  std::wstring command = L"\"" + exe + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return 0xFFFFFFFF;
  }
  ::WaitForSingleObject(process.hProcess, 60000);
  DWORD code = 0xFFFFFFFF;
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return code;
}

// The bounding box of the pixels of a rectangle that pass a test.
RECT Extent(const Picture& picture, RECT area, bool (*test)(COLORREF)) {
  RECT box{area.right, area.bottom, area.left - 1, area.top - 1};
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (!test(picture.At(x, y))) continue;
      box.left = std::min<LONG>(box.left, x);
      box.top = std::min<LONG>(box.top, y);
      box.right = std::max<LONG>(box.right, x + 1);
      box.bottom = std::max<LONG>(box.bottom, y + 1);
    }
  }
  return box;
}

class Windows : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    app_ = std::make_unique<TApplication>();
    app_->SetTitle(kApplicationTitle);
    main_ = std::make_unique<MainWindow>();
    search_ = std::make_unique<SearchWindow>(main_->View(), Grid());
    main_->SetSearchDialog(search_.get());
    main_->ShowCentred();
    Grid().SetSelectedDate(MakeDate(2005, 3, 7));
    TApplication::ProcessPending();
  }
  void TearDown() override {
    if (main_) main_->SetSearchDialog(nullptr);
    search_.reset();
    main_.reset();
    app_.reset();
    MSG quit{};
    while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  TCalendar& Grid() { return main_->Form().Calendar1(); }
  HWND Main() const { return main_->Handle(); }

  std::unique_ptr<TApplication> app_;
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<SearchWindow> search_;
};

// Moved to a monitor at 150 %, the window lays every control out again at one and a half times
// its size, the client area too, with fonts for the new scale.
TEST_F(Windows, DpiChangeScalesEveryControl) {
  const FormControls& controls = main_->Controls();
  std::vector<std::pair<std::string_view, RECT>> before;
  for (const ControlLayout& row : TForm1::kLayout.controls) {
    if (controls.Find(row.name) != nullptr)
      before.emplace_back(row.name, controls.Bounds(row.name));
  }
  const auto font = [&] { return ::SendMessageW(controls.Find("GroupBox1"), WM_GETFONT, 0, 0); };
  const LRESULT oldFont = font();
  RECT suggested{};
  ::GetWindowRect(Main(), &suggested);
  ::SendMessageW(Main(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
  const auto atScale = [](LONG scaled, LONG original) {
    return std::abs(scaled - original * 3 / 2) <= 1;
  };
  for (const auto& [name, was] : before) {
    const RECT now = controls.Bounds(name);
    EXPECT_TRUE(atScale(now.left, was.left) && atScale(now.top, was.top) &&
                atScale(now.right, was.right) && atScale(now.bottom, was.bottom))
        << name << ": " << now.left << "," << now.top << "," << now.right << "," << now.bottom;
  }
  RECT client{};
  ::GetClientRect(Main(), &client);
  EXPECT_TRUE(atScale(client.right, TForm1::kLayout.clientWidth))
      << client.right << "x" << client.bottom;
  EXPECT_TRUE(atScale(client.bottom, TForm1::kLayout.clientHeight));
  EXPECT_NE(font(), oldFont);
}

// The program's screenshots: each window at its table's size, the banner in purple with its
// light shadow up and left, the grid's header row and the selected day where the grid's own
// rectangles put them, the About box's etched separator.
TEST_F(Windows, ScreenshotsShowTheWindowsAsLaidOut) {
  ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
  std::vector<Picture> pictures;
  for (const std::wstring_view window : {L"main", L"search", L"about"}) {
    const std::wstring file = L"screenshot-" + std::wstring(window) + L".png";
    ::DeleteFileW(file.c_str());
    EXPECT_EQ(RunProgram(L"--screenshot " + file + L" --date 2005-03-07 --window " +
                         std::wstring(window)),
              0u);
    pictures.push_back(ReadPng(file));
  }
  ::CoUninitialize();
  const Picture& main = pictures[0];
  const Picture& search = pictures[1];
  const Picture& about = pictures[2];
  // The main window with its menu bar above the client area.
  ASSERT_EQ(main.width, static_cast<UINT>(TForm1::kLayout.clientWidth));
  const int menu = static_cast<int>(main.height) - TForm1::kLayout.clientHeight;
  MENUBARINFO bar{};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(::GetMenuBarInfo(Main(), OBJID_MENU, 0, &bar));
  POINT client{0, 0};
  ::ClientToScreen(Main(), &client);
  EXPECT_EQ(menu, client.y - bar.rcBar.top);
  EXPECT_EQ(search.width, static_cast<UINT>(TForm2::kLayout.clientWidth));
  EXPECT_EQ(search.height, static_cast<UINT>(TForm2::kLayout.clientHeight));
  ASSERT_GE(about.width, static_cast<UINT>(TFAbout::kLayout.clientWidth));
  ASSERT_EQ(about.height, static_cast<UINT>(TFAbout::kLayout.clientHeight));

  // The banner: its light shadow is the text's shape one pixel up and to the left.
  RECT banner = main_->Controls().Bounds("RxLabel1");
  OffsetRect(&banner, 0, menu);
  const RECT text = Extent(main, banner, [](COLORREF c) { return c == RGB(128, 0, 128); });
  const RECT shadow =
      Extent(main, banner, [](COLORREF c) { return c == ::GetSysColor(COLOR_BTNHIGHLIGHT); });
  EXPECT_LT(text.left, text.right);
  EXPECT_EQ(shadow.left, text.left - 1);
  EXPECT_EQ(shadow.top, text.top - 1);

  // The grid, on 7 March 2005: a header cell, and the selected day's cell.
  HWND calendar = main_->Controls().Find("Calendar1");
  POINT origin{0, 0};
  ::MapWindowPoints(calendar, Main(), &origin, 1);
  const auto inside = [&](const Rect& cell) {
    return POINT{origin.x + cell.Left + 3, origin.y + menu + cell.Top + 3};
  };
  const POINT header = inside(Grid().CellRect(0, 0));
  const POINT day = inside(Grid().CellRect(Grid().Col(), Grid().Row()));
  EXPECT_EQ(main.At(header.x, header.y), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(main.At(day.x, day.y), ::GetSysColor(COLOR_HIGHLIGHT));

  // The About box's separator: black, white below it, from x = 86 to 280.
  for (int x = 86; x <= 280; ++x) {
    EXPECT_EQ(about.At(x, 162), RGB(0, 0, 0)) << x;
    EXPECT_EQ(about.At(x, 163), RGB(255, 255, 255)) << x;
  }
  EXPECT_NE(about.At(281, 162), RGB(0, 0, 0));
}

// The system's announcements of new regional settings, and of a new taskbar, reach the
// application's hidden window, which reloads the locale texts.
TEST(Application, ReloadsTheLocaleWhenTheSystemAnnouncesIt) {
  TApplication app;
  int reloads = 0;
  app.SetOnLocaleChange([&reloads] { ++reloads; });
  ::SendMessageW(app.Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
  ::SendMessageW(app.Handle(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  ::SendMessageW(app.Handle(), WM_TIMECHANGE, 0, 0);
  EXPECT_EQ(reloads, 2);
}

}  // namespace
