#pragma once

#include <string>
#include <string_view>

namespace dorvane::platform {

// Text is UTF-8 in the program and UTF-16 at every Win32 call: these two convert between them.
// Ill-formed input converts as the system converts it (U+FFFD, or dropped on Windows XP).
std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);

}  // namespace dorvane::platform
