// The window scenarios' driver on Win32, under Wine: input through the messages the system
// sends, reads through the windows themselves (their texts, tooltip controls, rectangles).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Driver.h"
#include "dates/DateValue.h"
#include "forms/Application.h"
#include "help/hh.h"
#include "platform/win32/Wide.h"
#include "win32/AboutWindow.h"
#include "win32/Application.h"
#include "win32/ControlWindows.h"
#include "win32/Dpi.h"
#include "win32/GdiCanvas.h"
#include "win32/MainWindow.h"
#include "win32/SearchWindow.h"
#include "win32/ToolTips.h"

#include <commctrl.h>
#include <initguid.h>
#include <objbase.h>
#include <oleacc.h>
#include <wincodec.h>
#include "win32/Win32.h"

namespace dorvane::ui {
namespace {

using namespace dorvane::win32;

// The virtual keys, in the order of Key.
constexpr UINT kVirtualKeys[] = {VK_LEFT,   VK_RIGHT,  VK_UP,     VK_DOWN,   VK_HOME,
                                 VK_END,    VK_TAB,    VK_RETURN, VK_ESCAPE, VK_SPACE,
                                 VK_INSERT, VK_DELETE, VK_F6};

// The program's top-level windows of a class.
std::vector<HWND> OwnWindows(const wchar_t* windowClass) {
  std::vector<HWND> found;
  for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, windowClass, nullptr)) != nullptr;) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(w, &process);
    if (process == ::GetCurrentProcessId()) found.push_back(w);
  }
  return found;
}

class Win32Driver;
Win32Driver* current = nullptr;

class Win32Driver final : public FormsDriver<MainWindow, SearchWindow, AboutWindow> {
 public:
  Win32Driver() {
    // The screen's pointer away from the windows (the main one opens in the middle of the
    // screen, where it starts): a window mapped under it gets its moves, a grid its hints.
    ::SetCursorPos(0, 0);
    app_ = std::make_unique<TApplication>();
    app_->SetTitle(kApplicationTitle);
    Open();
    current = this;
    AboutDialog::onShown = [this](AboutDialog& dialog) {
      about_ = &static_cast<AboutWindow&>(dialog);
      Process();
      RunWhileShown();
      ::SendMessageW(about_->Controls().Find("Button1"), BM_CLICK, 0, 0);
      about_ = nullptr;
    };
    timer_ = ::SetTimer(nullptr, 0, 20, LookAtBoxes);
    Process();
  }
  ~Win32Driver() override {
    SetHighContrast(false);
    ::KillTimer(nullptr, timer_);
    AboutDialog::onShown = nullptr;
    current = nullptr;
    EndMainWindow();
    UnloadHelpViewer();
    app_.reset();
    MSG quit{};
    while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  void Process() override { TApplication::ProcessPending(); }
  bool WaitFor(const std::function<bool()>& holds) override {
    for (const DWORD start = ::GetTickCount(); !holds(); Settle()) {
      if (::GetTickCount() - start > 2000) return false;
    }
    return true;
  }

  void ClickTool(std::string_view name) override {
    const auto index = ToolIndex(Window::kMain, name);
    ASSERT_TRUE(index) << "no tool button " << name;
    const RECT place = ToolRect(*index);
    Click(ToolBar(), (place.left + place.right) / 2, (place.top + place.bottom) / 2);
  }
  void ChooseMenu(std::string_view item) override {
    const auto& menu = TForm1::kLayout.menu;
    const auto row = std::find_if(menu.begin(), menu.end(),
                                  [&](const MenuItemLayout& m) { return m.name == item; });
    ASSERT_NE(row, menu.end()) << item;
    HMENU bar = ::GetMenu(main_->Handle());
    for (int m = 0; m < ::GetMenuItemCount(bar); ++m) {
      HMENU sub = ::GetSubMenu(bar, m);
      for (int i = 0; i < ::GetMenuItemCount(sub); ++i) {
        wchar_t text[128] = {};
        ::GetMenuStringW(sub, i, text, 128, MF_BYPOSITION);
        if (platform::Utf8(text) != row->caption) continue;
        ::PostMessageW(main_->Handle(), WM_COMMAND, MAKEWPARAM(::GetMenuItemID(sub, i), 0), 0);
        Process();
        return;
      }
    }
    FAIL() << "no menu item " << item;
  }
  void ClickButton(Window window, std::string_view button) override {
    HWND push = Find(window, button);
    ASSERT_NE(push, nullptr) << button;
    RECT place{};
    ::GetClientRect(push, &place);
    Click(push, place.right / 2, place.bottom / 2);
  }
  void MouseOnCell(Mouse act, int col, int row) override {
    static constexpr UINT kMessages[] = {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP};
    const auto [x, y] = CellMiddle(col, row);
    const int dpi = main_->Controls().Dpi();
    ::PostMessageW(main_->Controls().Find("Calendar1"), kMessages[static_cast<int>(act)],
                   act == Mouse::kRelease ? 0 : MK_LBUTTON,
                   MAKELPARAM(::MulDiv(x, dpi, 96), ::MulDiv(y, dpi, 96)));
    Process();
  }
  // To the focused window, as the system hands it, whatever is under the pointer.
  void Wheel(std::string_view control, int delta) override {
    RECT under{};
    ::GetWindowRect(Find(Window::kMain, control), &under);
    ::PostMessageW(::GetFocus(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta),
                   MAKELPARAM(under.left + 2, under.top + 2));
    Process();
  }
  void Type(Window window, std::string_view edit, std::string_view text) override {
    HWND field = Find(window, edit);
    ASSERT_NE(field, nullptr) << edit;
    ::SetWindowTextW(field, L"");
    ::SetFocus(field);
    for (const wchar_t c : platform::Wide(text)) {
      MSG typed{field, WM_CHAR, c, 1, 0, {}};
      TApplication::Dispatch(typed);
    }
    Process();
  }
  void Press(Window window, std::string_view control, Key key, Modifiers mods) override {
    HWND target = control.empty() ? Top(window) : Find(window, control);
    ASSERT_NE(target, nullptr) << control;
    ::SetActiveWindow(::GetAncestor(target, GA_ROOT));
    if (!control.empty()) ::SetFocus(target);
    if (::GetFocus() == nullptr) ::SetFocus(target);
    std::array<BYTE, 256> saved{};
    ::GetKeyboardState(saved.data());
    std::array<BYTE, 256> state = saved;
    state[VK_SHIFT] = mods.shift ? 0x80 : 0;
    state[VK_CONTROL] = mods.ctrl ? 0x80 : 0;
    state[VK_MENU] = mods.alt ? 0x80 : 0;
    ::SetKeyboardState(state.data());
    const UINT vk = kVirtualKeys[static_cast<int>(key)];
    const UINT down = mods.alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = mods.alt ? WM_SYSKEYUP : WM_KEYUP;
    const LPARAM context = mods.alt ? (1 << 29) : 0;
    MSG press{::GetFocus(), down, vk, 1 | context, 0, {}};
    TApplication::Dispatch(press);
    Process();
    // The previous state and the transition bits: a release.
    const LPARAM released = 1 | context | static_cast<LPARAM>(0xC0000000u);
    MSG release{::GetFocus(), up, vk, released, 0, {}};
    TApplication::Dispatch(release);
    ::SetKeyboardState(saved.data());
    Process();
  }
  void Activate(Window window) override {
    HWND top = Top(window);
    ::SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(top);
    ::SetActiveWindow(top);
    Process();
  }

  std::string Text(Window window, std::string_view control) override {
    return Controls(window).Text(control);
  }
  std::string PanelText(int panel) override { return main_->Controls().PanelText(panel); }
  // Through oleacc, as a reader gets a window's client object; Wine has no proxy of its own for
  // the tool bar and the status bar, whose texts are read by their messages, which the
  // system's proxies send.
  Spoken ReadAloud(Window window, std::string_view control) override {
    if (const auto index = ToolIndex(window, control)) {
      wchar_t name[64] = {};
      ::SendMessageW(ToolBar(), TB_GETBUTTONTEXTW, ToolCommand(*index),
                     reinterpret_cast<LPARAM>(name));
      return {Role::kButton, platform::Utf8(name)};
    }
    return Read(control.empty() ? Top(window) : Find(window, control), CHILDID_SELF);
  }
  Spoken ReadCellAloud(int col, int row) override {
    HWND grid = Find(Window::kMain, "Calendar1");
    const auto [x, y] = CellMiddle(col, row);
    const int dpi = main_->Controls().Dpi();
    POINT at{::MulDiv(x, dpi, 96), ::MulDiv(y, dpi, 96)};
    ::ClientToScreen(grid, &at);
    IAccessible* table = ClientObject(grid);
    VARIANT child{};
    const bool found =
        table != nullptr && table->accHitTest(at.x, at.y, &child) == S_OK && child.vt == VT_I4;
    if (table != nullptr) table->Release();
    return found ? Read(grid, child.lVal) : Spoken{};
  }
  // The system's notices, as a reader out of the process hears them (as messages).
  std::vector<std::string> HearFocus(const std::function<void()>& act) override {
    const HWINEVENTHOOK hook =
        ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, HearFocusOf,
                          ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    act();
    Settle();
    ::UnhookWinEvent(hook);
    return std::exchange(heard_, {});
  }
  // A plain text, not the owner-drawn panel's drawing data.
  std::string ReadPanelAloud(int panel) override {
    const HWND bar = Find(Window::kMain, "StatusBar1");
    const LRESULT length = ::SendMessageW(bar, SB_GETTEXTLENGTHW, panel, 0);
    if (HIWORD(length) != 0) return {};
    std::wstring text(LOWORD(length) + 1, L'\0');
    ::SendMessageW(bar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()));
    text.resize(LOWORD(length));
    return platform::Utf8(text);
  }
  std::string ToolTip(Window window, std::string_view control) override {
    if (control.starts_with("Panel")) {
      ::UpdateWindow(main_->Controls().Find("StatusBar1"));
      return platform::Utf8(main_->Controls().PanelTip(control.back() - '0'));
    }
    if (const auto index = ToolIndex(window, control)) {
      HWND tips = reinterpret_cast<HWND>(::SendMessageW(ToolBar(), TB_GETTOOLTIPS, 0, 0));
      return platform::Utf8(ToolTips::Text(tips, ToolBar(), ToolCommand(*index)));
    }
    HWND found = Find(window, control);
    if (found == nullptr) return {};
    ::RedrawWindow(found, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return ToolText(::GetParent(found), reinterpret_cast<UINT_PTR>(found));
  }
  bool MenuChecked(std::string_view item) override { return main_->Controls().MenuChecked(item); }
  std::string CellToolTip(int col, int row) override {
    HWND calendar = main_->Controls().Find("Calendar1");
    const auto [x, y] = CellMiddle(col, row);
    const int dpi = main_->Controls().Dpi();
    ::PostMessageW(calendar, WM_MOUSEMOVE, 0,
                   MAKELPARAM(::MulDiv(x, dpi, 96), ::MulDiv(y, dpi, 96)));
    Process();
    return ToolText(calendar, kCellHintTool);
  }
  bool TextFits(Window window, std::string_view control) override {
    HWND found = Find(window, control);
    if (found == nullptr) return false;
    const int dpi = Controls(window).Dpi();
    const std::wstring text = platform::Wide(Text(window, control));
    auto font = reinterpret_cast<HFONT>(::SendMessageW(found, WM_GETFONT, 0, 0));
    RECT client{};
    ::GetClientRect(found, &client);
    int room = client.right;
    if (FindControl(Controls(window).Layout(), control)->kind == ControlKind::kRxLabel) {
      const TRxLabel& label = RxLabelOf(found);
      font = FontHandle(label.Font(), dpi);
      room -= ::MulDiv(label.ShadowSize(), dpi, 96);
    }
    HDC dc = ::GetDC(found);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    ::SelectObject(dc, old);
    ::ReleaseDC(found, dc);
    return extent.cx <= room;
  }
  std::string Focus() override {
    HWND focus = ::GetFocus();
    for (Window window : {Window::kMain, Window::kSearch, Window::kAbout}) {
      if (window == Window::kAbout && about_ == nullptr) continue;
      for (const ControlLayout& row : Controls(window).Layout().controls) {
        HWND control = Controls(window).Find(row.name);
        if (control != nullptr && (control == focus || ::IsChild(control, focus)))
          return std::string(row.name);
      }
    }
    return {};
  }
  bool Visible(Window window) override { return ::IsWindowVisible(Top(window)) != FALSE; }
  bool Active(Window window) override {
    return WaitFor([&] {
      return ::GetActiveWindow() == Top(window) && ::GetForegroundWindow() == Top(window);
    });
  }
  bool Enabled(Window window) override { return ::IsWindowEnabled(Top(window)) != FALSE; }
  Size ClientSize(Window window) override {
    Settle();
    RECT client{};
    ::GetClientRect(Top(window), &client);
    return {client.right, client.bottom};
  }
  Span HorizontalSpan(Window window, std::string_view control) override {
    const RECT bounds = Controls(window).Bounds(control);
    return {bounds.left, bounds.right};
  }

  void TickClock() override {
    // The timer's own message, as the loop running now (the main window's or a dialog's) gets it.
    const DWORD start = ::GetTickCount();
    for (MSG tick; ::GetTickCount() - start < 1500;) {
      if (::PeekMessageW(&tick, main_->Handle(), WM_TIMER, WM_TIMER, PM_REMOVE)) {
        TApplication::Dispatch(tick);
        break;
      }
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_TIMER);
    }
    Process();
  }
  // The window manager may still be placing a window just shown.
  bool CentredOnScreen(Window window) override {
    return WaitFor([&] {
      RECT frame{};
      ::GetWindowRect(Top(window), &frame);
      MONITORINFO screen{};
      screen.cbSize = sizeof screen;
      ::GetMonitorInfoW(::MonitorFromWindow(Top(window), MONITOR_DEFAULTTONEAREST), &screen);
      return std::abs(frame.left + frame.right - screen.rcWork.left - screen.rcWork.right) <= 4 &&
             std::abs(frame.top + frame.bottom - screen.rcWork.top - screen.rcWork.bottom) <= 4;
    });
  }
  bool MoveToDpi(Window window, int dpi) override {
    RECT suggested{};
    ::GetWindowRect(Top(window), &suggested);
    ::SendMessageW(Top(window), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&suggested));
    return true;
  }

  void Raise(Window window, std::string_view control) override {
    ::SetWindowPos(Find(window, control), HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Process();
  }

  void SetHighContrast(bool on) override {
    // The system's own "high contrast black" scheme.
    static constexpr int kElements[] = {
        COLOR_WINDOW,       COLOR_WINDOWTEXT,    COLOR_BTNFACE,    COLOR_BTNTEXT,
        COLOR_HIGHLIGHT,    COLOR_HIGHLIGHTTEXT, COLOR_GRAYTEXT,   COLOR_BTNSHADOW,
        COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT,       COLOR_3DDKSHADOW, COLOR_MENU,
        COLOR_MENUTEXT,     COLOR_INFOBK,        COLOR_INFOTEXT,   COLOR_WINDOWFRAME};
    static constexpr COLORREF kScheme[] = {
        RGB(0, 0, 0),       RGB(255, 255, 255), RGB(0, 0, 0),       RGB(255, 255, 255),
        RGB(128, 0, 128),   RGB(255, 255, 255), RGB(0, 255, 0),     RGB(128, 128, 128),
        RGB(255, 255, 255), RGB(192, 192, 192), RGB(255, 255, 255), RGB(0, 0, 0),
        RGB(255, 255, 255), RGB(0, 0, 0),       RGB(255, 255, 255), RGB(255, 255, 255)};
    if (on == !usualColors_.empty()) return;
    if (on) {
      for (const int element : kElements) usualColors_.push_back(::GetSysColor(element));
    }
    const COLORREF* colors = on ? kScheme : usualColors_.data();
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof setting;
    setting.dwFlags = on ? HCF_HIGHCONTRASTON : 0;
    // Where the system keeps no such setting (Wine), the dark scheme alone asks for it.
    ::SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof setting, &setting, SPIF_SENDCHANGE);
    ::SetSysColors(static_cast<int>(std::size(kElements)), kElements, colors);
    if (!on) usualColors_.clear();
    Process();
  }
  Picture Capture(Window window, std::string_view control) override {
    RECT place{};
    if (const auto index = ToolIndex(window, control)) {
      place = ToolRect(*index);
      ::MapWindowPoints(ToolBar(), nullptr, reinterpret_cast<POINT*>(&place), 2);
    } else {
      HWND found = Find(window, control);
      if (found == nullptr) return {};
      ::GetWindowRect(found, &place);
    }
    // A window just shown reaches the screen once the window manager has mapped it.
    Settle();
    ::RedrawWindow(Top(window), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Settle();
    Picture picture{place.right - place.left, place.bottom - place.top, {}};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP shot = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, shot);
    ::BitBlt(memory, 0, 0, picture.width, picture.height, screen, place.left, place.top, SRCCOPY);
    ::GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    picture.rgb.reserve(static_cast<std::size_t>(picture.width * picture.height));
    for (int i = 0; i < picture.width * picture.height; ++i) {
      picture.rgb.push_back(pixels[i] & 0xFFFFFFu);  // 0x00RRGGBB
    }
    ::SelectObject(memory, old);
    ::DeleteObject(shot);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return picture;
  }

  void Show(Window window, Shown state) override {
    static constexpr int kShow[] = {SW_MINIMIZE, SW_RESTORE, SW_MAXIMIZE};
    ::ShowWindow(Top(window), kShow[static_cast<int>(state)]);
    Settle();
  }
  void RequestClientSize(Window window, Size size) override {
    HWND top = Top(window);
    RECT frame{0, 0, size.width, size.height};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(top, GWL_STYLE)),
                         ::GetMenu(top) != nullptr,
                         static_cast<DWORD>(::GetWindowLongPtrW(top, GWL_EXSTYLE)));
    ::SetWindowPos(top, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER);
    Settle();
  }

  bool ManagerMaximise(Window window) override {
    return AskManager(window, {"-b", "add,maximized_vert,maximized_horz"});
  }
  bool ManagerResize(Window window, Size size) override {
    return AskManager(window, {"-e", "0,-1,-1," + std::to_string(size.width) + "," +
                                         std::to_string(size.height)});
  }

  bool ErrorBoxInFront() override {
    Settle();
    HWND box = VisibleBox();
    if (box == nullptr) return false;
    // Nothing of ours above the box in the z-order but tooltips, and the box active.
    const std::vector<HWND> tips = OwnWindows(TOOLTIPS_CLASSW);
    for (HWND above = ::GetWindow(box, GW_HWNDPREV); above != nullptr;
         above = ::GetWindow(above, GW_HWNDPREV)) {
      DWORD process = 0;
      ::GetWindowThreadProcessId(above, &process);
      if (process == ::GetCurrentProcessId() && ::IsWindowVisible(above) &&
          std::find(tips.begin(), tips.end(), above) == tips.end())
        return false;
    }
    return ::GetActiveWindow() == box;
  }

  void LoadHelpViewer() override { dorvane::LoadHelpViewer(); }
  int HelpWindows() override {
    const std::vector<HWND> viewers = OwnWindows(L"HH Parent");
    return static_cast<int>(std::count_if(viewers.begin(), viewers.end(), ::IsWindowVisible));
  }

 private:
  HWND Find(Window window, std::string_view control) { return Controls(window).Find(control); }
  HWND Top(Window window) {
    return window == Window::kMain     ? main_->Handle()
           : window == Window::kSearch ? search_->Handle()
           : about_ == nullptr         ? nullptr
                                       : about_->Handle();
  }
  // Runs wmctrl (a Unix program, through Wine's door to them) on the window's X11 window: its
  // requests go to the window manager, as _NET_WM_STATE and _NET_MOVERESIZE_WINDOW messages.
  bool AskManager(Window window, std::vector<std::string> request) {
    using Spawn = LONG(WINAPI*)(char* const*, int);
    const auto spawn = reinterpret_cast<Spawn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "__wine_unix_spawnvp")));
    const auto x11 =
        reinterpret_cast<std::uintptr_t>(::GetPropW(Top(window), L"__wine_x11_whole_window"));
    if (spawn == nullptr || x11 == 0) return false;
    std::vector<std::string> words{"wmctrl", "-i", "-r", std::to_string(x11)};
    words.insert(words.end(), request.begin(), request.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const bool asked = spawn(argv.data(), TRUE) == 0;
    Settle();
    return asked;
  }
  // Handles what comes until the window system has been quiet for a moment (two seconds at
  // most): a window manager answers our requests (activation, mapping, sizes) with events of
  // its own, a little later.
  static void Settle() {
    const DWORD start = ::GetTickCount();
    do {
      TApplication::ProcessPending();
    } while (::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50,
                                         QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE) !=
                 WAIT_TIMEOUT &&
             ::GetTickCount() - start < 2000);
    TApplication::ProcessPending();
  }
  HWND ToolBar() {
    return ::FindWindowExW(main_->Controls().Find("ControlBar1"), nullptr, TOOLBARCLASSNAMEW,
                           nullptr);
  }
  // A window's client object, through oleacc as a reader gets it.
  static IAccessible* ClientObject(HWND window) {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccessible* object = nullptr;
    ::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                 reinterpret_cast<void**>(&object));
    return object;
  }
  // The role and name of a child of a window's client object (the object itself: CHILDID_SELF).
  static Spoken Read(HWND window, long child) {
    IAccessible* object = ClientObject(window);
    if (object == nullptr) return {};
    VARIANT id{};
    id.vt = VT_I4;
    id.lVal = child;
    VARIANT role{};
    Spoken spoken;
    if (SUCCEEDED(object->get_accRole(id, &role)) && role.vt == VT_I4) {
      static const std::pair<long, Role> kRoles[] = {
          {ROLE_SYSTEM_STATICTEXT, Role::kStaticText},
          {ROLE_SYSTEM_TEXT, Role::kEditableText},
          {ROLE_SYSTEM_PUSHBUTTON, Role::kButton},
          {ROLE_SYSTEM_DIALOG, Role::kDialog},
          {ROLE_SYSTEM_TABLE, Role::kTable},
          {ROLE_SYSTEM_COLUMNHEADER, Role::kColumnHeader},
          {ROLE_SYSTEM_CELL, Role::kCell}};
      for (const auto& [system, ours] : kRoles) {
        if (role.lVal == system) spoken.role = ours;
      }
    }
    BSTR name = nullptr;
    if (object->get_accName(id, &name) == S_OK && name != nullptr) {
      spoken.name = platform::Utf8(std::wstring(name, ::SysStringLen(name)));
      ::SysFreeString(name);
    }
    object->Release();
    return spoken;
  }
  static void CALLBACK HearFocusOf(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child,
                                   DWORD, DWORD) {
    if (current != nullptr && object == OBJID_CLIENT && child > 0)
      current->heard_.push_back(Read(window, child).name);
  }
  // A tool button's place on the main window's tool bar (its row in the table); none for any
  // other control.
  static std::optional<WPARAM> ToolIndex(Window window, std::string_view name) {
    const auto& buttons = TForm1::kLayout.toolButtons;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      if (window == Window::kMain && buttons[i].name == name) return i;
    }
    return std::nullopt;
  }
  UINT_PTR ToolCommand(WPARAM index) {
    TBBUTTON button{};
    ::SendMessageW(ToolBar(), TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
    return static_cast<UINT_PTR>(button.idCommand);
  }
  RECT ToolRect(WPARAM index) {
    RECT place{};
    ::SendMessageW(ToolBar(), TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&place));
    return place;
  }
  // A press and release of the left button at a point of a window's client area.
  void Click(HWND window, int x, int y) {
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Process();
  }
  // The text of a tool, by its window and id, in any of the program's tooltip controls.
  static std::string ToolText(HWND owner, UINT_PTR id) {
    for (HWND tips : OwnWindows(TOOLTIPS_CLASSW)) {
      const std::wstring text = ToolTips::Text(tips, owner, id);
      if (!text.empty()) return platform::Utf8(text);
    }
    return {};
  }
  static HWND VisibleBox() {
    const std::vector<HWND> boxes = OwnWindows(L"#32770");
    const auto box = std::find_if(boxes.begin(), boxes.end(), ::IsWindowVisible);
    return box == boxes.end() ? nullptr : *box;
  }
  static void CALLBACK LookAtBoxes(HWND, UINT, UINT_PTR, DWORD) {
    if (current == nullptr || current->busy_) return;
    HWND box = VisibleBox();
    if (box == nullptr) return;
    current->busy_ = true;
    current->RunWhileShown();
    wchar_t title[128] = {};
    wchar_t text[512] = {};
    ::GetWindowTextW(box, title, 128);
    ::GetDlgItemTextW(box, 0xFFFF, text, 512);  // the message's static control
    current->boxes_.push_back(platform::Utf8(title) + ": " + platform::Utf8(text));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    current->busy_ = false;
  }

  std::unique_ptr<TApplication> app_;
  UINT_PTR timer_ = 0;
  std::vector<COLORREF> usualColors_;  // while in high contrast
  std::vector<std::string> heard_;     // the focus notices heard
};

// The desktop's fonts, for the programs started from now on.
void SetMessageFont(NONCLIENTMETRICSW& metrics) {
  ::SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, metrics.cbSize, &metrics,
                          SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

}  // namespace

std::unique_ptr<Driver> MakeDriver() {
  return std::make_unique<Win32Driver>();
}

// The program runs on a screen of `dpi` and with the desktop's message font at `textPercent`
// of the standard 9 points (12 pixels at 96 dpi), as the display settings set them for the
// programs started meanwhile; then they are put back as they were.
int RunProgram(const std::vector<std::string>& arguments, int dpi, int textPercent) {
  HKEY desktop = nullptr;
  ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                    KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &desktop, nullptr);
  const auto setDpi = [desktop](DWORD value) {
    ::RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                     sizeof value);
  };
  DWORD previousDpi = 96;
  DWORD size = sizeof previousDpi;
  const bool hadDpi =
      ::RegQueryValueExW(desktop, L"LogPixels", nullptr, nullptr,
                         reinterpret_cast<BYTE*>(&previousDpi), &size) == ERROR_SUCCESS;
  setDpi(static_cast<DWORD>(dpi));
  NONCLIENTMETRICSW usual{};
  usual.cbSize = win32::NonClientMetricsSize();
  const bool larger = textPercent != 100 &&
                      ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, usual.cbSize, &usual, 0);
  if (larger) {
    NONCLIENTMETRICSW metrics = usual;
    metrics.lfMessageFont.lfHeight = -::MulDiv(12, textPercent, 100);
    SetMessageFont(metrics);
  }
  std::wstring exe = platform::Wide(DORVANE_PROGRAM);
  for (wchar_t& c : exe) c = c == L'/' ? L'\\' : c;
  std::wstring command = L"\"" + exe + L"\"";
  for (const std::string& argument : arguments)
    command += L" \"" + platform::Wide(argument) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  DWORD code = 0xFFFFFFFF;
  if (::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
    ::WaitForSingleObject(process.hProcess, 60000);
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
  if (larger) SetMessageFont(usual);
  hadDpi ? setDpi(previousDpi) : static_cast<void>(::RegDeleteValueW(desktop, L"LogPixels"));
  ::RegCloseKey(desktop);
  return static_cast<int>(code);
}

Picture ReadPicture(const std::string& file) {
  Picture picture;
  if (FAILED(::CoInitialize(nullptr))) return picture;
  IWICImagingFactory* factory = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  UINT width = 0;
  UINT height = 0;
  std::vector<BYTE> bgra;
  if (SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
      SUCCEEDED(factory->CreateDecoderFromFilename(platform::Wide(file).c_str(), nullptr,
                                                   GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                   &decoder)) &&
      SUCCEEDED(decoder->GetFrame(0, &frame)) &&
      SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
      SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                      nullptr, 0, WICBitmapPaletteTypeCustom)) &&
      SUCCEEDED(converter->GetSize(&width, &height))) {
    bgra.resize(std::size_t{width} * height * 4);
    if (SUCCEEDED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(bgra.size()),
                                        bgra.data()))) {
      picture.width = static_cast<int>(width);
      picture.height = static_cast<int>(height);
      for (std::size_t i = 0; i < bgra.size(); i += 4)
        picture.rgb.push_back(std::uint32_t{bgra[i + 2]} << 16 | std::uint32_t{bgra[i + 1]} << 8 |
                              bgra[i]);
    }
  }
  for (IUnknown* object : std::initializer_list<IUnknown*>{converter, frame, decoder, factory}) {
    if (object != nullptr) object->Release();
  }
  ::CoUninitialize();
  return picture;
}

}  // namespace dorvane::ui
