#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dorvane::platform {

// The window that owns windows belonging to no window of ours: the desktop on Windows, none
// on Linux.
void* DesktopWindow();

// `utf8` in the 8-bit code page that the system's "A" entry points read: the ANSI code page on
// Windows, UTF-8 itself on Linux. Empty when that code page lacks one of its characters (none
// is replaced by a look-alike, which could name another file).
std::optional<std::string> AnsiText(std::string_view utf8);

}  // namespace dorvane::platform
