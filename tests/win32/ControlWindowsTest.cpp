// The control windows and their canvas on the system's own GDI and USER: the calendar's object
// outliving its window, the label's accelerator, the application's hidden window hearing the
// system, and the canvas suite on GdiCanvas.
#include "win32/Win32.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CanvasSuite.h"
#include "forms/About.h"
#include "forms/MainForm.h"
#include "win32/Application.h"
#include "win32/ControlWindows.h"
#include "win32/GdiCanvas.h"

namespace dorvane::win32 {
namespace {

// A shown top-level window to hold the controls under test, made once (each costs Wine a
// while to map).
HWND TopLevel() {
  static const HWND window = [] {
    RegisterControlClasses(::GetModuleHandleW(nullptr));
    const HWND top = ::CreateWindowExW(0, L"STATIC", L"Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                       0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(top);
    return top;
  }();
  return window;
}

RECT Scaled(const ControlLayout& row, int dpi) {
  return ToDevice(Rect{row.left, row.top, row.left + row.width, row.top + row.height}, dpi);
}

// The grid's object, which a screen reader may hold on to once the window is gone, answers
// nothing from then on.
TEST(Win32Calendar, TheObjectOfAGoneWindowAnswersNothing) {
  const ControlLayout& row = *FindControl(TForm1::kLayout, "Calendar1");
  const HWND grid = CreateCalendarWindow(TopLevel(), 100, row, Font{}, Scaled(row, 96), 96);
  ASSERT_NE(grid, nullptr);
  IAccessible* table = nullptr;
  ASSERT_EQ(::AccessibleObjectFromWindow(grid, static_cast<DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible), reinterpret_cast<void**>(&table)),
            S_OK);
  ::DestroyWindow(grid);
  long count = 0;
  EXPECT_EQ(table->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
  VARIANT cell{};
  cell.vt = VT_I4;
  cell.lVal = 15;
  BSTR name = nullptr;
  EXPECT_EQ(table->get_accName(cell, &name), CO_E_OBJNOTCONNECTED);
  table->Release();
}

// Alt with the label's accelerator focuses its window, whose focus the label follows; a
// destroyed window is forgotten.
TEST(Win32RxLabel, AltAcceleratorFocusesTheTarget) {
  const auto edit = [](int top) {
    return ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 100, top, 100, 22, TopLevel(),
                             nullptr, nullptr, nullptr);
  };
  HWND target = edit(10);
  HWND other = edit(40);
  const ControlLayout row{.name = "Label", .kind = ControlKind::kRxLabel, .left = 8, .top = 10};
  const HWND window = CreateRxLabelWindow(TopLevel(), 102, row, Font{}, Scaled(row, 96), 96);
  TRxLabel& label = RxLabelOf(window);
  label.SetCaption("&Jour");
  SetLabelFocusWindow(window, target);
  ::SetFocus(other);
  EXPECT_FALSE(label.FocusTargetActive());
  EXPECT_TRUE(LabelsDialogChar(TopLevel(), L'j'));
  EXPECT_EQ(::GetFocus(), target);
  EXPECT_TRUE(label.FocusTargetActive());
  ::SetFocus(other);
  EXPECT_FALSE(label.FocusTargetActive());
  ::DestroyWindow(target);
  EXPECT_EQ(label.FocusControl(), nullptr);
  EXPECT_FALSE(LabelsDialogChar(TopLevel(), L'j'));
  ::DestroyWindow(window);
  ::DestroyWindow(other);
}

// The system's announcements of new regional settings, and of a new taskbar, reach the
// application's hidden window, which reloads the locale texts.
TEST(Win32Application, ReloadsTheLocaleWhenTheSystemAnnouncesIt) {
  TApplication app;
  int reloads = 0;
  app.SetOnLocaleChange([&reloads] { ++reloads; });
  ::SendMessageW(app.Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
  ::SendMessageW(app.Handle(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  ::SendMessageW(app.Handle(), WM_TIMECHANGE, 0, 0);
  EXPECT_EQ(reloads, 2);
}

}  // namespace
}  // namespace dorvane::win32

namespace dorvane::testing {

// The canvas suite (tests/gfx/CanvasSuite.cpp) on GdiCanvas, at scale / 100 of 96 dpi, drawing
// on a fresh DIB section.
Picture PaintCanvas(int width, int height, int scale, const std::function<void(Canvas&)>& draw) {
  const int dpi = 96 * scale / 100;
  Picture picture{win32::ToDevice(width, dpi), win32::ToDevice(height, dpi), {}};
  BITMAPINFO info{};
  info.bmiHeader = {
      sizeof info.bmiHeader, picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = ::CreateCompatibleDC(nullptr);
  HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  {
    win32::GdiCanvas canvas(dc, dpi);
    canvas.SetBrush({kPaper});
    canvas.FillRect({0, 0, width, height});
    draw(canvas);
  }
  ::GdiFlush();
  for (int i = 0; i < picture.width * picture.height; ++i) {
    const std::uint32_t p = static_cast<const std::uint32_t*>(bits)[i];  // 0x00RRGGBB
    picture.pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  }
  ::SelectObject(dc, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  return picture;
}

}  // namespace dorvane::testing
