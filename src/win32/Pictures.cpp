#include "win32/Pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "text/Ascii.h"

namespace dorvane::win32 {

namespace {

// The scales the pictures are rendered at by the build (cmake/WindowsResources.cmake), in %.
constexpr std::array kScales{100, 150, 200};

// A picture resource (RCDATA "NAME.PERCENT"): this header, then the rows top down, four bytes
// a pixel (blue, green, red, alpha; premultiplied), all little-endian as made by svgpicture.
constexpr std::size_t kHeaderSize = 20;

struct Picture {
  int width = 0;
  int height = 0;
  int width96 = 0;
  int height96 = 0;
  const unsigned char* pixels = nullptr;
};

// The resource name of a table name (the system compares resource names in any case), with
// ".PERCENT" for a picture. Empty for a name no resource can have (anything but letters, digits
// and '-').
std::wstring ResourceName(std::string_view name, int percent) {
  const auto plain = [](char c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '-'; };
  if (name.empty() || !std::all_of(name.begin(), name.end(), plain)) return {};
  std::wstring out(name.begin(), name.end());
  if (percent > 0) out += L"." + std::to_wstring(percent);
  return out;
}

std::uint32_t Read32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool FindPicture(std::string_view name, int percent, Picture& picture) {
  const std::wstring id = ResourceName(name, percent);
  if (id.empty()) return false;
  const HMODULE module = ::GetModuleHandleW(nullptr);
  const HRSRC found = ::FindResourceW(module, id.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (found == nullptr) return false;
  const DWORD size = ::SizeofResource(module, found);
  const HGLOBAL loaded = ::LoadResource(module, found);
  const auto* data = static_cast<const unsigned char*>(loaded ? ::LockResource(loaded) : nullptr);
  if (data == nullptr || size < kHeaderSize || std::memcmp(data, "DPIC", 4) != 0) return false;
  picture.width = static_cast<int>(Read32(data + 4));
  picture.height = static_cast<int>(Read32(data + 8));
  picture.width96 = static_cast<int>(Read32(data + 12));
  picture.height96 = static_cast<int>(Read32(data + 16));
  picture.pixels = data + kHeaderSize;
  return picture.width > 0 && picture.height > 0 && picture.width96 > 0 && picture.height96 > 0 &&
         picture.width <= 0x4000 && picture.height <= 0x4000 &&
         size - kHeaderSize >= static_cast<std::size_t>(picture.width) * picture.height * 4;
}

// The picture resampled to width x height into `out` (rows top down, four bytes a pixel) by
// area averaging, which is right for premultiplied colour and keeps edges crisp; at its own
// size, a copy.
void Resample(const Picture& in, int width, int height, unsigned char* out) {
  const double sx = static_cast<double>(in.width) / width;
  const double sy = static_cast<double>(in.height) / height;
  // How much of source pixel `s` the span [begin, end) covers.
  const auto cover = [](double begin, double end, int s) {
    return std::min(end, s + 1.0) - std::max(begin, static_cast<double>(s));
  };
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x, out += 4) {
      double sum[4] = {};
      double area = 0;
      for (int v = static_cast<int>(y * sy); v < in.height && v < (y + 1) * sy; ++v) {
        for (int u = static_cast<int>(x * sx); u < in.width && u < (x + 1) * sx; ++u) {
          const double share = cover(y * sy, (y + 1) * sy, v) * cover(x * sx, (x + 1) * sx, u);
          const unsigned char* p = in.pixels + (static_cast<std::size_t>(v) * in.width + u) * 4;
          for (int c = 0; c < 4; ++c) sum[c] += share * p[c];
          area += share;
        }
      }
      const long alpha = std::clamp(std::lround(sum[3] / area), 0L, 255L);
      for (int c = 0; c < 3; ++c) {
        out[c] = static_cast<unsigned char>(std::clamp(std::lround(sum[c] / area), 0L, alpha));
      }
      out[3] = static_cast<unsigned char>(alpha);
    }
  }
}

// A 32-bit top-down DIB section of that size, its pixels at `bits` when asked; null when it
// cannot be made.
HBITMAP CreateBuffer(int width, int height, void** bits = nullptr) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  const HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (bitmap != nullptr && pixels == nullptr) {
    ::DeleteObject(bitmap);
    return nullptr;
  }
  if (bits != nullptr) *bits = pixels;
  return bitmap;
}

}  // namespace

HBITMAP LoadPicture(std::string_view name, int dpi) {
  if (dpi < 1) return nullptr;
  // The prepared scale at or above the dpi's (100 % is 96 dpi), else the largest.
  const auto scale =
      std::find_if(kScales.begin(), kScales.end(), [dpi](int s) { return s * 96 >= dpi * 100; });
  Picture picture;
  if (!FindPicture(name, scale != kScales.end() ? *scale : kScales.back(), picture)) return nullptr;
  const int width = std::max(1, ::MulDiv(picture.width96, dpi, 96));
  const int height = std::max(1, ::MulDiv(picture.height96, dpi, 96));

  void* bits = nullptr;
  const HBITMAP bitmap = CreateBuffer(width, height, &bits);
  if (bitmap == nullptr) return nullptr;
  Resample(picture, width, height, static_cast<unsigned char*>(bits));
  return bitmap;
}

BufferDc::~BufferDc() {
  // The buffer goes once its DC, which holds it selected, has gone.
  if (dc_ != nullptr) ::DeleteDC(dc_);
  if (buffer_ != nullptr) ::DeleteObject(buffer_);
}

bool BufferDc::Hold(int width, int height) {
  if (width <= width_ && height <= height_) return true;
  width = std::max(width, width_);
  height = std::max(height, height_);
  if (dc_ == nullptr) dc_ = ::CreateCompatibleDC(nullptr);
  const HBITMAP buffer = dc_ != nullptr ? CreateBuffer(width, height) : nullptr;
  if (buffer == nullptr) return false;
  ::SelectObject(dc_, buffer);
  if (buffer_ != nullptr) ::DeleteObject(buffer_);  // no longer selected
  buffer_ = buffer;
  width_ = width;
  height_ = height;
  return true;
}

HICON LoadWindowIcon(std::string_view name, int size) {
  if (size < 1) return nullptr;
  const std::wstring id = ResourceName(name.empty() ? std::string_view("dorvane") : name, 0);
  if (id.empty()) return nullptr;
  return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), id.c_str(), IMAGE_ICON, size,
                                         size, LR_DEFAULTCOLOR));
}

}  // namespace dorvane::win32
