#pragma once

#include <string>
#include <string_view>

namespace dorvane::platform {

// Text is UTF-8 in the program and UTF-16 at every Win32 call: these two convert between them,
// by the program's own rules (text/Utf8.h): ill-formed UTF-8 becomes U+FFFD, and a surrogate of
// UTF-16 without its pair becomes bytes that no well-formed UTF-8 holds.
std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);

}  // namespace dorvane::platform
