#include "win32/PngFile.h"

#include <algorithm>

#include "platform/DynamicLibrary.h"
#include "platform/win32/Wide.h"

#include <initguid.h>
#include <objbase.h>
#include <wincodec.h>

namespace dorvane::win32 {

namespace {

template <class Interface>
struct Released {
  Interface* p = nullptr;
  ~Released() {
    if (p != nullptr) p->Release();
  }
  Interface** operator&() { return &p; }
  Interface* operator->() const { return p; }
};

// COM, loaded when a picture is written rather than with the program: the window program
// itself has no use for it. S_FALSE (COM already initialised on this thread) needs the
// matching uninitialise too.
class ComScope {
 public:
  ComScope()
      : ole32_("ole32.dll"),
        createInstance_(ole32_.Find<CreateInstance>("CoCreateInstance")),
        uninitialize_(ole32_.Find<Uninitialize>("CoUninitialize")) {
    using Initialize = HRESULT(WINAPI*)(void*, DWORD);
    const auto initialize = ole32_.Find<Initialize>("CoInitializeEx");
    if (initialize != nullptr && createInstance_ != nullptr && uninitialize_ != nullptr) {
      status_ = initialize(nullptr, COINIT_APARTMENTTHREADED);
    }
  }
  ~ComScope() {
    if (SUCCEEDED(status_)) uninitialize_();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

  HRESULT Create(REFCLSID type, REFIID kind, void** object) const {
    if (createInstance_ == nullptr) return E_FAIL;
    return createInstance_(type, nullptr, CLSCTX_INPROC_SERVER, kind, object);
  }

 private:
  using CreateInstance = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
  using Uninitialize = void(WINAPI*)();

  platform::LoadedLibrary ole32_;
  CreateInstance createInstance_;
  Uninitialize uninitialize_;
  HRESULT status_ = E_FAIL;
};

// -1: no WIC on this system; 0: written; 1: failed.
int WriteWithWic(const ComScope& com, HBITMAP bitmap, const std::wstring& file) {
  Released<IWICImagingFactory> factory;
  if (FAILED(com.Create(CLSID_WICImagingFactory, IID_IWICImagingFactory,
                        reinterpret_cast<void**>(&factory)))) {
    return -1;
  }
  Released<IWICBitmap> source;
  Released<IWICStream> stream;
  Released<IWICBitmapEncoder> encoder;
  Released<IWICBitmapFrameEncode> frame;
  UINT width = 0;
  UINT height = 0;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  const bool written =
      SUCCEEDED(factory->CreateBitmapFromHBITMAP(bitmap, nullptr, WICBitmapIgnoreAlpha, &source)) &&
      SUCCEEDED(source->GetSize(&width, &height)) && SUCCEEDED(factory->CreateStream(&stream)) &&
      SUCCEEDED(stream->InitializeFromFilename(file.c_str(), GENERIC_WRITE)) &&
      SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
      SUCCEEDED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache)) &&
      SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) &&
      SUCCEEDED(frame->Initialize(nullptr)) && SUCCEEDED(frame->SetSize(width, height)) &&
      SUCCEEDED(frame->SetPixelFormat(&format)) &&
      SUCCEEDED(frame->WriteSource(source.p, nullptr)) && SUCCEEDED(frame->Commit()) &&
      SUCCEEDED(encoder->Commit());
  return written ? 0 : 1;
}

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

bool WriteWithGdiplus(HBITMAP bitmap, const std::wstring& file) {
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
      written = save(image, file.c_str(), &kGdiplusPngEncoder, nullptr) == 0;
      dispose(image);
    }
    shutdown(token);
  }
  return written;
}

}  // namespace

bool WritePng(HBITMAP bitmap, const std::string& file) {
  if (bitmap == nullptr) return false;
  const std::wstring path = platform::Wide(file);
  const ComScope com;
  const int wic = WriteWithWic(com, bitmap, path);
  if (wic >= 0) return wic == 0;
  return WriteWithGdiplus(bitmap, path);
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
  HGDIOBJ old = ::SelectObject(target, picture);
  ::BitBlt(target, 0, 0, width, height, source, origin.x - frame.left, top - frame.top, SRCCOPY);
  ::SelectObject(target, old);
  ::DeleteDC(target);
  ::ReleaseDC(window, source);
  return picture;
}

}  // namespace dorvane::win32
