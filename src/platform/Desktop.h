#pragma once

#include <string>
#include <string_view>

namespace dorvane::platform {

// The window that owns windows belonging to no window of ours: the desktop on Windows, none
// on Linux.
void* DesktopWindow();

// `utf8` in the 8-bit code page that the system's "A" entry points read: the ANSI code page on
// Windows (a character it lacks becomes '?'), UTF-8 itself on Linux.
std::string AnsiText(std::string_view utf8);

}  // namespace dorvane::platform
