#include "win32/Pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

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

// The resource name of a table name: upper case, with ".PERCENT" for a picture. Empty for a
// name no resource can have (anything but letters, digits and '-').
std::wstring ResourceName(std::string_view name, int percent) {
  if (name.empty()) return {};
  std::wstring out;
  for (const char c : name) {
    if (c >= 'a' && c <= 'z') {
      out += static_cast<wchar_t>(c - 'a' + 'A');
    } else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-') {
      out += static_cast<wchar_t>(c);
    } else {
      return {};
    }
  }
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

// The source pixels under each target pixel along one axis, with the share of each in it:
// area averaging, right for premultiplied colour.
struct Span {
  int first = 0;
  std::vector<float> weights;
};

std::vector<Span> AreaSpans(int source, int target) {
  const double step = static_cast<double>(source) / target;
  std::vector<Span> spans(static_cast<std::size_t>(target));
  for (int t = 0; t < target; ++t) {
    const double begin = t * step;
    const double end = std::min<double>((t + 1) * step, source);
    Span& span = spans[static_cast<std::size_t>(t)];
    span.first = std::min(static_cast<int>(begin), source - 1);
    for (int s = span.first; s < source && s < end; ++s) {
      const double cover = std::min<double>(end, s + 1) - std::max<double>(begin, s);
      span.weights.push_back(static_cast<float>(cover / (end - begin)));
    }
  }
  return spans;
}

// The picture resampled to width x height into `out` (rows top down, four bytes a pixel).
void Resample(const Picture& in, int width, int height, unsigned char* out) {
  const std::vector<Span> columns = AreaSpans(in.width, width);
  const std::vector<Span> rows = AreaSpans(in.height, height);
  // Across first, into floats: in.height rows of `width` pixels.
  std::vector<float> across(static_cast<std::size_t>(in.height) * width * 4);
  for (int y = 0; y < in.height; ++y) {
    const unsigned char* row = in.pixels + static_cast<std::size_t>(y) * in.width * 4;
    float* to = across.data() + static_cast<std::size_t>(y) * width * 4;
    for (int x = 0; x < width; ++x) {
      const Span& span = columns[static_cast<std::size_t>(x)];
      for (std::size_t i = 0; i < span.weights.size(); ++i) {
        const unsigned char* p = row + (span.first + i) * 4;
        for (int c = 0; c < 4; ++c) to[x * 4 + c] += span.weights[i] * p[c];
      }
    }
  }
  for (int y = 0; y < height; ++y) {
    const Span& span = rows[static_cast<std::size_t>(y)];
    unsigned char* to = out + static_cast<std::size_t>(y) * width * 4;
    for (int x = 0; x < width; ++x) {
      float sum[4] = {};
      for (std::size_t i = 0; i < span.weights.size(); ++i) {
        const float* p = across.data() + ((span.first + i) * width + x) * 4;
        for (int c = 0; c < 4; ++c) sum[c] += span.weights[i] * p[c];
      }
      const auto alpha = static_cast<unsigned char>(std::clamp(std::lround(sum[3]), 0L, 255L));
      for (int c = 0; c < 3; ++c) {
        to[x * 4 + c] =
            static_cast<unsigned char>(std::clamp(std::lround(sum[c]), 0L, long{alpha}));
      }
      to[x * 4 + 3] = alpha;
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
  int percent = kScales.back();
  for (const int scale : kScales) {
    if (scale * 96 >= dpi * 100) {
      percent = scale;
      break;
    }
  }
  Picture picture;
  if (!FindPicture(name, percent, picture)) return nullptr;
  const int width = std::max(1, ::MulDiv(picture.width96, dpi, 96));
  const int height = std::max(1, ::MulDiv(picture.height96, dpi, 96));

  void* bits = nullptr;
  const HBITMAP bitmap = CreateBuffer(width, height, &bits);
  if (bitmap == nullptr) return nullptr;
  auto* out = static_cast<unsigned char*>(bits);
  if (width == picture.width && height == picture.height) {
    std::memcpy(out, picture.pixels, static_cast<std::size_t>(width) * height * 4);
  } else {
    Resample(picture, width, height, out);
  }
  return bitmap;
}

BufferDc::~BufferDc() {
  Drop();
  if (dc_ != nullptr) ::DeleteDC(dc_);
}

bool BufferDc::Hold(int width, int height) {
  if (Holds(width, height)) return true;
  if (dc_ == nullptr) dc_ = ::CreateCompatibleDC(nullptr);
  const HBITMAP buffer = dc_ != nullptr ? CreateBuffer(width, height) : nullptr;
  if (buffer == nullptr) return false;
  Drop();
  initial_ = ::SelectObject(dc_, buffer);
  buffer_ = buffer;
  width_ = width;
  height_ = height;
  return true;
}

void BufferDc::Drop() {
  if (buffer_ == nullptr) return;
  ::SelectObject(dc_, initial_);
  ::DeleteObject(buffer_);
  buffer_ = nullptr;
  width_ = height_ = 0;
}

HICON LoadWindowIcon(std::string_view name, int size) {
  if (size < 1) return nullptr;
  const std::wstring id = ResourceName(name.empty() ? std::string_view("dorvane") : name, 0);
  if (id.empty()) return nullptr;
  return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), id.c_str(), IMAGE_ICON, size,
                                         size, LR_DEFAULTCOLOR));
}

}  // namespace dorvane::win32
