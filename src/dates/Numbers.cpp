#include "dates/Numbers.h"

#include <charconv>
#include <cmath>

#include "dates/ConvertError.h"
#include "dates/DateLocale.h"
#include "text/Ascii.h"
#include "text/Utf8.h"

namespace dorvane {
std::string WholeNumberText(std::int32_t n) {
  return std::to_string(n);
}

std::string NumberText(double v) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  if (v == std::trunc(v) && std::fabs(v) < 1e15) {
    return std::to_string(static_cast<std::int64_t>(v));  // also turns -0 into "0"
  }
  // to_chars, unlike printf, does not follow the C library's locale.
  char buffer[64];
  const auto res = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 15);
  std::string text(buffer, res.ptr);
  std::string out;
  out.reserve(text.size() + 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.') {
      AppendUtf8(out, CurrentDateLocale().DecimalSep);
    } else if (c == 'e') {
      out += 'E';
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<std::int32_t> TryParseWholeNumber(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == s.size()) return std::nullopt;  // no digit at all

  const std::string_view digits = s.substr(i);
  if (hex) {
    const auto value = ReadDigits<std::uint32_t>(digits, 16);
    if (!value) return std::nullopt;
    // Two's complement on 32 bits, the sign applied in the same arithmetic.
    const std::uint32_t bits = negative ? 0u - *value : *value;
    return static_cast<std::int32_t>(bits);
  }
  const auto value = ReadDigits<std::uint32_t>(digits, 10);
  if (!value || *value > (negative ? 2147483648u : 2147483647u)) return std::nullopt;
  return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(*value) : *value);
}

std::int32_t ParseWholeNumber(std::string_view text) {
  if (const auto value = TryParseWholeNumber(text)) return *value;
  std::string message;
  message.reserve(text.size() + 45);
  message += '\'';
  message += text;
  message += "' n'est pas une valeur entière correcte";
  throw EConvertError(message);
}

}  // namespace dorvane
