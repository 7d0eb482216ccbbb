#include "dates/Utf8.h"

namespace dorvane {

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::size_t CodePointCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (StartsCodePoint(static_cast<unsigned char>(text[i])) || i == 0) ++count;
  }
  return count;
}

std::size_t CodePointLength(std::string_view text, std::size_t pos) {
  std::size_t end = pos + 1;
  while (end < text.size() && !StartsCodePoint(static_cast<unsigned char>(text[end]))) ++end;
  return end - pos;
}

char32_t FirstCodePoint(std::string_view text) {
  if (text.empty()) return U'\0';
  const auto b0 = static_cast<unsigned char>(text[0]);
  const std::size_t len = CodePointLength(text, 0);
  auto cont = [&](std::size_t i) { return static_cast<char32_t>(text[i]) & 0x3F; };
  if (b0 < 0x80) return b0;
  if (b0 >= 0xC0 && b0 < 0xE0 && len == 2) return ((b0 & 0x1Fu) << 6) | cont(1);
  if (b0 >= 0xE0 && b0 < 0xF0 && len == 3) return ((b0 & 0x0Fu) << 12) | (cont(1) << 6) | cont(2);
  if (b0 >= 0xF0 && b0 < 0xF8 && len == 4) {
    return ((b0 & 0x07u) << 18) | (cont(1) << 12) | (cont(2) << 6) | cont(3);
  }
  return 0xFFFD;
}

}  // namespace dorvane
