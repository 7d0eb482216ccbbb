#pragma once

#include <QFont>

namespace dorvane {

// Makes "MS Sans Serif" available: the free font of that name when the system has it
// (Debian's fonts-wine), otherwise the platform's sans font stands in under that name.
void InstallProgramFonts();

// The windows' font: "MS Sans Serif", 11-pixel characters.
QFont FormFont();

}  // namespace dorvane
