#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/Ascii.h"  // AsciiUpper

namespace dorvane {

// Decimal digits, "-" before a negative number, no grouping.
std::string WholeNumberText(std::int32_t n);

// General format with up to 15 significant digits. Whole numbers of up to 15 digits are plain
// digits ("60", "366"); other values use the locale's decimal separator and, when very large
// or very small, an exponent ("1.5E+20").
std::string NumberText(double v);

// Reads a signed 32-bit whole number: blanks (0x20) first, one optional sign, then decimal
// digits or hexadecimal digits after "$", "x", "X", "0x" or "0X"; nothing may follow.
// Hexadecimal values up to FFFFFFFF are read as two's complement. Raises EConvertError
// with "'<text>' n'est pas une valeur entière correcte" otherwise.
std::int32_t ParseWholeNumber(std::string_view text);

// The same grammar, without raising.
std::optional<std::int32_t> TryParseWholeNumber(std::string_view text);

}  // namespace dorvane
