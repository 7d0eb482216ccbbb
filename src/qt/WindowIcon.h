#pragma once

#include <QIcon>

#include <string_view>

namespace dorvane {

// The icon `picture` of a window's table, from the PNGs rendered from its SVG source at build
// time; each size is read only when the window system asks for it.
QIcon WindowIcon(std::string_view picture);

}  // namespace dorvane
