// The control windows and their canvas on the system's own GDI and USER: where the calendar
// paints its highlighted day, input through real messages, the shadowed label's shadow, the
// application's hidden window hearing the system, and the canvas suite on GdiCanvas.
#include "win32/Win32.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CanvasSuite.h"
#include "FrenchLocale.h"
#include "dates/DateLocale.h"
#include "dates/DateValue.h"
#include "forms/About.h"
#include "forms/MainForm.h"
#include "platform/Services.h"
#include "win32/Application.h"
#include "win32/ControlWindows.h"
#include "win32/GdiCanvas.h"

namespace dorvane::win32 {
namespace {

// What `draw` paints on a fresh DIB section of `width` x `height` device pixels, pixel by pixel.
testing::Picture PaintDib(int width, int height, const std::function<void(HDC)>& draw) {
  testing::Picture picture{width, height, {}};
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = ::CreateCompatibleDC(nullptr);
  HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  draw(dc);
  ::GdiFlush();
  for (int i = 0; i < width * height; ++i) {
    const std::uint32_t p = static_cast<const std::uint32_t*>(bits)[i];  // 0x00RRGGBB
    picture.pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  }
  ::SelectObject(dc, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  return picture;
}

// What a window painted for WM_PRINTCLIENT.
testing::Picture Print(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  return PaintDib(client.right, client.bottom, [&](HDC dc) {
    ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  });
}

// A shown top-level window to hold the controls under test, made once (each costs Wine a
// while to map).
HWND TopLevel() {
  static const HWND window = [] {
    RegisterControlClasses(::GetModuleHandleW(nullptr));
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"DorvaneTestHost";
    ::RegisterClassW(&wc);
    const HWND top =
        ::CreateWindowExW(0, L"DorvaneTestHost", L"Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                          800, 600, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetForegroundWindow(top);
    return top;
  }();
  return window;
}

RECT Scaled(const ControlLayout& row, int dpi) {
  return ToDevice(Rect{row.left, row.top, row.left + row.width, row.top + row.height}, dpi);
}

class CalendarWindowTest : public ::testing::TestWithParam<int> {
 protected:
  int Dpi() const { return GetParam(); }

  const HWND top_ = TopLevel();
  const ControlLayout& row_ = *FindControl(TForm1::kLayout, "Calendar1");
};

TEST_P(CalendarWindowTest, PaintsTheHighlightedDayOnItsCellsDevicePixels) {
  const HWND grid = CreateCalendarWindow(top_, 100, row_, Font{}, Scaled(row_, Dpi()), Dpi());
  ASSERT_NE(grid, nullptr);
  TCalendar& calendar = CalendarOf(grid);
  calendar.SetSelectedDate(MakeDate(2026, 12, 16));
  // The window's 96-dpi client area, whatever its dpi: 293 x 125 inside the edge.
  EXPECT_EQ(calendar.DefaultColWidth(), 41);
  EXPECT_EQ(calendar.DefaultRowHeight(), 17);

  const testing::Picture image = Print(grid);
  const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
  const int b = calendar.BorderWidth();
  Rect cell = calendar.CellRect(calendar.Col(), calendar.Row());
  OffsetRect(cell, b, b);
  const RECT d = ToDevice(cell, Dpi());
  const int midY = (d.top + d.bottom) / 2;
  EXPECT_EQ(image.At(d.left, d.top), highlight);
  EXPECT_EQ(image.At(d.right - 1, d.bottom - 1), highlight);
  EXPECT_EQ(image.At(d.left, midY), highlight);
  // The grid lines on either side are not.
  EXPECT_NE(image.At(d.left - 1, midY), highlight);
  EXPECT_NE(image.At(d.right, midY), highlight);
  EXPECT_NE(image.At(d.left + 1, d.top - 1), highlight);
  EXPECT_NE(image.At(d.left + 1, d.bottom), highlight);
  ::DestroyWindow(grid);
}

struct Heard {
  HWND window;
  LONG child;
  friend bool operator==(const Heard&, const Heard&) = default;
};
std::vector<Heard> g_focusEvents;

void CALLBACK HearFocus(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT) g_focusEvents.push_back({window, child});
}

std::wstring Name(IAccessible* object, LONG child) {
  VARIANT id{};
  id.vt = VT_I4;
  id.lVal = child;
  BSTR name = nullptr;
  if (FAILED(object->get_accName(id, &name)) || name == nullptr) return {};
  std::wstring text(name);
  ::SysFreeString(name);
  return text;
}

LONG Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), IAccessible* object,
            LONG child) {
  VARIANT id{};
  id.vt = VT_I4;
  id.lVal = child;
  VARIANT value{};
  return SUCCEEDED((object->*get)(id, &value)) && value.vt == VT_I4 ? value.lVal : -1;
}

// Screen readers read the grid through oleacc as a table of dates (child ids: the day names,
// then the days row by row) and hear of the day an arrow moves to; the object a reader still
// holds once the window is gone answers nothing.
TEST_P(CalendarWindowTest, ScreenReadersReadATableOfDates) {
  const DateLocale french = testing::FrenchLongDates();
  const platform::ServicesScope locale({.locale = &french});
  const HWND grid = CreateCalendarWindow(top_, 100, row_, Font{}, Scaled(row_, Dpi()), Dpi());
  ASSERT_NE(grid, nullptr);
  TCalendar& calendar = CalendarOf(grid);
  calendar.SetSelectedDate(MakeDate(2005, 3, 7));  // a Monday: cell (0, 2), child 15

  IAccessible* table = nullptr;
  ASSERT_EQ(::AccessibleObjectFromWindow(grid, static_cast<DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible), reinterpret_cast<void**>(&table)),
            S_OK);
  long count = 0;
  EXPECT_EQ(table->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 49);
  EXPECT_EQ(Number(&IAccessible::get_accRole, table, CHILDID_SELF), ROLE_SYSTEM_TABLE);
  EXPECT_EQ(Name(table, 1), L"lundi");
  EXPECT_EQ(Number(&IAccessible::get_accRole, table, 1), ROLE_SYSTEM_COLUMNHEADER);
  EXPECT_EQ(Name(table, 15), L"lundi 7 mars 2005");
  EXPECT_EQ(Number(&IAccessible::get_accRole, table, 15), ROLE_SYSTEM_CELL);
  EXPECT_TRUE(Number(&IAccessible::get_accState, table, 15) & STATE_SYSTEM_SELECTED);

  // Where the cell is on the screen, and the cell at a point of it.
  VARIANT cell{};
  cell.vt = VT_I4;
  cell.lVal = 15;
  long left = 0, top = 0, width = 0, height = 0;
  EXPECT_EQ(table->accLocation(&left, &top, &width, &height, cell), S_OK);
  const int b = calendar.BorderWidth();
  Rect r = calendar.CellRect(0, 2);
  OffsetRect(r, b, b);
  const RECT d = ToDevice(r, Dpi());
  POINT origin{d.left, d.top};
  ::ClientToScreen(grid, &origin);
  EXPECT_EQ(left, origin.x);
  EXPECT_EQ(top, origin.y);
  EXPECT_EQ(width, d.right - d.left);
  VARIANT hit{};
  EXPECT_EQ(table->accHitTest(left + width / 2, top + height / 2, &hit), S_OK);
  EXPECT_EQ(hit.lVal, 15);

  const auto pump = [] {
    for (int i = 0; i < 20 && g_focusEvents.empty(); ++i) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      MSG message{};
      while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    }
  };
  g_focusEvents.clear();
  ::SetFocus(grid);
  pump();  // the grid's own notice of its focus, heard by no one yet
  EXPECT_TRUE(Number(&IAccessible::get_accState, table, 15) & STATE_SYSTEM_FOCUSED);
  g_focusEvents.clear();
  const HWINEVENTHOOK hook =
      ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, HearFocus,
                        ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  ::SendMessageW(grid, WM_KEYDOWN, VK_RIGHT, 1);
  pump();
  ::UnhookWinEvent(hook);
  EXPECT_EQ(g_focusEvents, (std::vector<Heard>{Heard{grid, 16}}));
  EXPECT_EQ(Name(table, 16), L"mardi 8 mars 2005");
  VARIANT focus{};
  EXPECT_EQ(table->get_accFocus(&focus), S_OK);
  EXPECT_EQ(focus.lVal, 16);

  ::DestroyWindow(grid);
  EXPECT_EQ(table->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
  BSTR name = nullptr;
  EXPECT_EQ(table->get_accName(cell, &name), CO_E_OBJNOTCONNECTED);
  table->Release();
}

INSTANTIATE_TEST_SUITE_P(Dpi, CalendarWindowTest, ::testing::Values(96, 144));

// The banner's shadow lies one pixel up and left of its text, in the shadow colour.
TEST(Win32RxLabel, PaintsItsShadowUpAndLeft) {
  const ControlLayout& row = *FindControl(TForm1::kLayout, "RxLabel1");
  ASSERT_NE(row.font, nullptr);
  const HWND window =
      CreateRxLabelWindow(TopLevel(), 101, row, ToFont(*row.font), Scaled(row, 96), 96);
  ASSERT_NE(window, nullptr);
  TRxLabel& label = RxLabelOf(window);
  label.SetCaption("Décembre 2026");
  const testing::Picture image = Print(window);

  const COLORREF text = row.font->color & 0xFFFFFF;
  const COLORREF shadow = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  ASSERT_NE(text, shadow);
  const auto box = [&](COLORREF color) {
    RECT r{image.width, image.height, -1, -1};
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        if (image.At(x, y) != color) continue;
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1);
        r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
    }
    return r;
  };
  const RECT t = box(text);
  const RECT s = box(shadow);
  ASSERT_GT(t.right, t.left);
  EXPECT_EQ(s.left, t.left - 1);
  EXPECT_EQ(s.top, t.top - 1);
  ::DestroyWindow(window);
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

// The canvas suite (tests/gfx/CanvasSuite.cpp) on GdiCanvas, at scale / 100 of 96 dpi.
Picture PaintCanvas(int width, int height, int scale, const std::function<void(Canvas&)>& draw) {
  const int dpi = 96 * scale / 100;
  return win32::PaintDib(win32::ToDevice(width, dpi), win32::ToDevice(height, dpi), [&](HDC dc) {
    win32::GdiCanvas canvas(dc, dpi);
    canvas.SetBrush({kPaper});
    canvas.FillRect({0, 0, width, height});
    draw(canvas);
  });
}

}  // namespace dorvane::testing
