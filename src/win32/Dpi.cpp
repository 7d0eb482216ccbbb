#include "win32/Dpi.h"

#include <cstddef>
#include <cstdlib>

#include "forms/Layout.h"
#include "platform/DynamicLibrary.h"

namespace dorvane::win32 {

namespace {

constexpr int kLayoutDpi = 96;  // the layout tables' pixels are those of a 96-dpi screen

// A function of user32 that later systems have (null before Windows 10).
template <class Function>
Function User32Function(const char* name) {
  static const platform::LoadedLibrary user32("user32.dll");
  return user32.Find<Function>(name);
}

int ScreenDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSX) : kLayoutDpi;
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kLayoutDpi;
}

}  // namespace

int WindowDpi(HWND window) {
  using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<GetDpiForWindowProc>("GetDpiForWindow");
  const UINT dpi = getDpiForWindow != nullptr && window != nullptr ? getDpiForWindow(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

UINT NonClientMetricsSize() {
#if WINVER >= 0x0600
  return offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
#else
  return sizeof(NONCLIENTMETRICSW);
#endif
}

int LayoutDpiFor(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = NonClientMetricsSize();
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return dpi;
  // The font is given at the screen's dpi.
  const double pixels = std::abs(metrics.lfMessageFont.lfHeight) * double{kLayoutDpi} / ScreenDpi();
  return ::MulDiv(dpi, TextScalePercent(pixels), 100);
}

int SystemMetric(int index, int dpi) {
  using GetSystemMetricsForDpiProc = int(WINAPI*)(int, UINT);
  static const auto forDpi = User32Function<GetSystemMetricsForDpiProc>("GetSystemMetricsForDpi");
  return forDpi != nullptr ? forDpi(index, static_cast<UINT>(dpi)) : ::GetSystemMetrics(index);
}

SIZE OuterSize(const WindowLayout& layout, int layoutDpi, DWORD style, DWORD exStyle, bool menu,
               int dpi) {
  using AdjustForDpiProc = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = User32Function<AdjustForDpiProc>("AdjustWindowRectExForDpi");
  RECT r{0, 0, ToDevice(layout.clientWidth, layoutDpi), ToDevice(layout.clientHeight, layoutDpi)};
  if (adjustForDpi == nullptr ||
      !adjustForDpi(&r, style, menu ? TRUE : FALSE, exStyle, static_cast<UINT>(dpi))) {
    ::AdjustWindowRectEx(&r, style, menu ? TRUE : FALSE, exStyle);
  }
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace dorvane::win32
