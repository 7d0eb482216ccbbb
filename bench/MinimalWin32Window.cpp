// The reference of the Windows start-up benchmark: the least a Win32 program does to show a
// window of Dorvane's size with a menu, a comctl32 tool bar of eight buttons (the system's
// standard images) and a status bar, and then wait for messages.
#include <windows.h>
// After windows.h.
#include <commctrl.h>

namespace {

HWND g_toolBar = nullptr;
HWND g_statusBar = nullptr;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      ::SendMessageW(g_toolBar, TB_AUTOSIZE, 0, 0);
      ::SendMessageW(g_statusBar, WM_SIZE, 0, 0);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

HMENU MakeMenu() {
  HMENU bar = ::CreateMenu();
  HMENU file = ::CreatePopupMenu();
  ::AppendMenuW(file, MF_STRING, 1, L"&Quitter");
  HMENU help = ::CreatePopupMenu();
  ::AppendMenuW(help, MF_STRING, 2, L"&\u00C0 propos");
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&Fichier");
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Aide");
  return bar;
}

void MakeToolBar(HWND parent, HINSTANCE instance) {
  g_toolBar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS, 0, 0, 0, 0,
                                parent, nullptr, instance, nullptr);
  ::SendMessageW(g_toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  TBADDBITMAP bitmaps{HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
  ::SendMessageW(g_toolBar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&bitmaps));
  TBBUTTON buttons[8] = {};
  for (int i = 0; i < 8; ++i) {
    buttons[i].iBitmap = i;
    buttons[i].idCommand = 100 + i;
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = BTNS_BUTTON;
  }
  ::SendMessageW(g_toolBar, TB_ADDBUTTONSW, 8, reinterpret_cast<LPARAM>(buttons));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"MinimalWin32Window";
  ::RegisterClassW(&windowClass);
  // Dorvane's client area: 329 x 317.
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, 329, 317};
  ::AdjustWindowRectEx(&frame, kStyle, TRUE, 0);
  HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"Fen\u00EAtre minimale", kStyle,
                                  CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, MakeMenu(), instance, nullptr);
  MakeToolBar(window, instance);
  g_statusBar = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"Pr\u00EAt", WS_CHILD | WS_VISIBLE, 0, 0, 0,
                                  0, window, nullptr, instance, nullptr);
  ::ShowWindow(window, show);
  ::UpdateWindow(window);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
