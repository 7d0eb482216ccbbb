#pragma once

#include <cstdint>
#include <span>

#include "gfx/Color.h"

namespace dorvane {

// Relative luminance of a plain colour (0x00BBGGRR), 0 for black to 1 for white, as the
// accessibility guidelines weigh sRGB's red, green and blue.
double RelativeLuminance(TColor rgb);

// How far apart two plain colours stand for the eye, from 1 (the same) to 21 (black on white).
// Text wants at least 4.5, a picture 3.
double ContrastRatio(TColor a, TColor b);

inline constexpr double kTextContrast = 4.5;
inline constexpr double kPictureContrast = 3.0;

// Whether the system asks for high contrast: its own setting (Windows' high-contrast flag), or
// a colour scheme whose faces are darker than its text (a dark theme: the windows' fixed dark
// colours would vanish on it). `face` and `text` are plain colours.
bool AsksForHighContrast(bool systemSetting, TColor face, TColor text);

// The colour a text or a line of the given colour shows in: as given, but in high contrast a
// fixed colour gives way to the system's text colour (a system colour already follows the
// scheme).
constexpr TColor ShownColor(TColor color, bool highContrast) {
  return highContrast && !IsSystemColor(color) ? clWindowText : color;
}

// A picture made to hold on a face of the given colour: each pixel whose colour stands less
// than 3 : 1 from the face takes the `ink` colour instead (a dark stroke on a dark face turns
// light), its coverage kept. `pixels` are premultiplied 0xAARRGGBB, as Windows' DIB sections
// and Qt's premultiplied images hold them; `face` and `ink` are plain colours.
void HoldContrast(std::span<std::uint32_t> pixels, TColor face, TColor ink);

}  // namespace dorvane
