#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dorvane {

// Appends one code point as UTF-8. Code points outside Unicode become U+FFFD.
void AppendUtf8(std::string& out, char32_t cp);

// True for the first byte of a UTF-8 sequence (and for any byte that is not a continuation).
constexpr bool StartsCodePoint(unsigned char byte) {
  return (byte & 0xC0) != 0x80;
}

// Number of code points in UTF-8 text; a stray continuation byte belongs to the code point
// before it.
std::size_t CodePointCount(std::string_view text);

// Length in bytes of the code point that starts at text[pos] (1 for a stray byte).
std::size_t CodePointLength(std::string_view text, std::size_t pos);

// First code point of UTF-8 text, or U'\0' when the text is empty.
char32_t FirstCodePoint(std::string_view text);

}  // namespace dorvane
