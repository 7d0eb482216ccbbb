#include "gfx/HighContrast.h"

#include <algorithm>
#include <cmath>

namespace dorvane {

namespace {

double Linear(std::uint8_t channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(TColor rgb) {
  return 0.2126 * Linear(RedOf(rgb)) + 0.7152 * Linear(GreenOf(rgb)) + 0.0722 * Linear(BlueOf(rgb));
}

double ContrastRatio(TColor a, TColor b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool AsksForHighContrast(bool systemSetting, TColor face, TColor text) {
  return systemSetting || RelativeLuminance(face) < RelativeLuminance(text);
}

void HoldContrast(std::span<std::uint32_t> pixels, TColor face, TColor ink) {
  for (std::uint32_t& pixel : pixels) {
    const std::uint32_t alpha = pixel >> 24;
    if (alpha == 0) continue;
    // Back from premultiplied to the pixel's own colour.
    const auto own = [&](int shift) {
      return static_cast<std::uint8_t>(
          std::min<std::uint32_t>(255, (((pixel >> shift) & 0xFF) * 255 + alpha / 2) / alpha));
    };
    if (ContrastRatio(RGB(own(16), own(8), own(0)), face) >= kPictureContrast) continue;
    const auto covered = [&](std::uint8_t channel) {
      return (static_cast<std::uint32_t>(channel) * alpha + 127) / 255;
    };
    pixel = (alpha << 24) | (covered(RedOf(ink)) << 16) | (covered(GreenOf(ink)) << 8) |
            covered(BlueOf(ink));
  }
}

}  // namespace dorvane
