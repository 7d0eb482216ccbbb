#include "win32/PngFile.h"

#include <algorithm>

#include "platform/DynamicLibrary.h"
#include "platform/win32/Wide.h"

namespace dorvane::win32 {

namespace {

// GDI+'s flat interface, looked up at run time.
struct GdiplusStartupInput {
  UINT32 version = 1;
  void* debugEventCallback = nullptr;
  BOOL suppressBackgroundThread = FALSE;
  BOOL suppressExternalCodecs = FALSE;
};

// The PNG encoder of GDI+.
constexpr CLSID kGdiplusPngEncoder = {
    0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

}  // namespace

bool WritePng(HBITMAP bitmap, const std::string& file) {
  if (bitmap == nullptr) return false;
  const platform::LoadedLibrary gdiplus("gdiplus.dll");
  using Startup = int(WINAPI*)(ULONG_PTR*, const GdiplusStartupInput*, void*);
  using Shutdown = void(WINAPI*)(ULONG_PTR);
  using FromBitmap = int(WINAPI*)(HBITMAP, HPALETTE, void**);
  using Save = int(WINAPI*)(void*, const WCHAR*, const CLSID*, const void*);
  using Dispose = int(WINAPI*)(void*);
  const auto startup = gdiplus.Find<Startup>("GdiplusStartup");
  const auto shutdown = gdiplus.Find<Shutdown>("GdiplusShutdown");
  const auto fromBitmap = gdiplus.Find<FromBitmap>("GdipCreateBitmapFromHBITMAP");
  const auto save = gdiplus.Find<Save>("GdipSaveImageToFile");
  const auto dispose = gdiplus.Find<Dispose>("GdipDisposeImage");
  bool written = false;
  ULONG_PTR token = 0;
  const GdiplusStartupInput input;
  if (startup != nullptr && shutdown != nullptr && fromBitmap != nullptr && save != nullptr &&
      dispose != nullptr && startup(&token, &input, nullptr) == 0) {
    void* image = nullptr;
    if (fromBitmap(bitmap, nullptr, &image) == 0) {
      written = save(image, platform::Wide(file).c_str(), &kGdiplusPngEncoder, nullptr) == 0;
      dispose(image);
    }
    shutdown(token);
  }
  return written;
}

HBITMAP CaptureClientArea(HWND window) {
  RECT client{};
  if (!::GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0) return nullptr;
  RECT frame{};
  ::GetWindowRect(window, &frame);
  POINT origin{0, 0};
  ::ClientToScreen(window, &origin);
  int top = origin.y;
  MENUBARINFO bar{};
  bar.cbSize = sizeof bar;
  if (::GetMenu(window) != nullptr && ::GetMenuBarInfo(window, OBJID_MENU, 0, &bar)) {
    top = std::min(top, static_cast<int>(bar.rcBar.top));
  }
  const int width = client.right;
  const int height = origin.y - top + client.bottom;
  HDC source = ::GetWindowDC(window);
  HBITMAP picture = ::CreateCompatibleBitmap(source, width, height);
  HDC target = ::CreateCompatibleDC(source);
  ::SelectObject(target, picture);  // and free again once its DC has gone
  ::BitBlt(target, 0, 0, width, height, source, origin.x - frame.left, top - frame.top, SRCCOPY);
  ::DeleteDC(target);
  ::ReleaseDC(window, source);
  return picture;
}

}  // namespace dorvane::win32
