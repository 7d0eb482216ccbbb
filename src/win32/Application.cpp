// The window base first: its core headers come before the system's.
#include "win32/FormWindow.h"

#include <vector>

#include "platform/win32/Wide.h"
#include "win32/Application.h"
#include "win32/ControlWindows.h"

namespace dorvane::win32 {

namespace {

constexpr wchar_t kApplicationClass[] = L"DorvaneApplication";
TApplication* instance = nullptr;

}  // namespace

TApplication::TApplication() {
  instance = this;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  const HINSTANCE module = ::GetModuleHandleW(nullptr);
  WNDCLASSW hidden{};
  hidden.lpfnWndProc = Procedure;
  hidden.hInstance = module;
  hidden.lpszClassName = kApplicationClass;
  ::RegisterClassW(&hidden);
  // A top-level window that is never shown: the owner of the error box when no window of ours
  // is active, and the one that hears the system's broadcasts.
  window_ = ::CreateWindowExW(0, kApplicationClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              module, nullptr);
  taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
}

TApplication::~TApplication() {
  if (window_ != nullptr) ::DestroyWindow(window_);
  instance = nullptr;
}

LRESULT CALLBACK TApplication::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TApplication* app = instance;
  if (app != nullptr &&
      (message == WM_SETTINGCHANGE || (message == app->taskbarCreated_ && message != 0)) &&
      app->LocaleChanged()) {
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void TApplication::Dispatch(MSG& message) {
  HWND root = message.hwnd != nullptr ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  const bool ours = TopWindow::IsOurs(root);
  // A push button, by its dialog code.
  if (ours && message.message == WM_KEYDOWN && message.wParam == VK_RETURN &&
      (::SendMessageW(message.hwnd, WM_GETDLGCODE, 0, 0) &
       (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0) {
    if ((message.lParam & (1 << 30)) == 0) ::SendMessageW(message.hwnd, BM_CLICK, 0, 0);
    return;
  }
  // Turns of the wheel over a window of ours go to its focused control, wherever the pointer.
  if (ours && message.message == WM_MOUSEWHEEL) {
    HWND focus = ::GetFocus();
    if (focus != nullptr && ::GetAncestor(focus, GA_ROOT) == root) message.hwnd = focus;
  }
  if (message.message == WM_KEYDOWN && TopWindow::FocusKey(root, message.wParam)) return;
  if (ours && message.message == WM_SYSCHAR &&
      LabelsDialogChar(root, static_cast<wchar_t>(message.wParam))) {
    return;
  }
  if (ours && ::IsDialogMessageW(root, &message)) return;
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
}

int TApplication::Run() {
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return static_cast<int>(message.wParam);
}

bool TApplication::ProcessPending() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    Dispatch(message);
  }
  return true;
}

namespace {

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM data) {
  if (::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  }
  return TRUE;
}

// The program's visible, enabled top-level windows, in the system's order.
std::vector<HWND> EnabledWindows() {
  std::vector<HWND> found;
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectEnabledWindow,
                      reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

std::vector<HWND> TApplication::DisableWindows(HWND except) {
  std::vector<HWND> found = EnabledWindows();
  std::erase(found, except);
  for (HWND window : found) ::EnableWindow(window, FALSE);
  return found;
}

HWND TApplication::ModalWindow() {
  for (HWND window : EnabledWindows()) {
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    if ((style & WS_CAPTION) == WS_CAPTION) return window;
  }
  return nullptr;
}

void TApplication::EnableWindows(const std::vector<HWND>& windows) {
  for (HWND window : windows) {
    if (::IsWindow(window)) ::EnableWindow(window, TRUE);
  }
}

void TApplication::ShowSystemErrorBox(std::string_view title, std::string_view text) {
  // Owned by the active window, the box opens on that window's monitor; every other window of
  // the program is disabled until it closes, then the active window and its focus come back.
  HWND active = ::GetActiveWindow();
  HWND focus = ::GetFocus();
  const std::vector<HWND> disabled = DisableWindows(nullptr);
  ::MessageBoxW(active != nullptr ? active : window_, platform::Wide(text).c_str(),
                platform::Wide(title).c_str(), MB_OK | MB_ICONSTOP | MB_APPLMODAL);
  EnableWindows(disabled);
  if (active != nullptr && ::IsWindow(active)) ::SetActiveWindow(active);
  if (focus != nullptr && ::IsWindow(focus)) ::SetFocus(focus);
}

}  // namespace dorvane::win32
