#pragma once

#include <QFont>

namespace dorvane {

// Registers the free "MS Sans Serif" of Debian's fonts-wine when the system has it; without it
// the family's metric-compatible stand-ins take its place (see ToQFont).
void InstallProgramFonts();

// The windows' font: "MS Sans Serif", 11-pixel characters.
QFont FormFont();

}  // namespace dorvane
