#pragma once

#include <algorithm>
#include <charconv>
#include <concepts>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace dorvane {

// ASCII only: bytes of UTF-8 sequences and letters beyond a-z are never touched, so these
// apply to UTF-8 text byte by byte and to code points alike.
template <std::integral Char>
constexpr bool IsAsciiDigit(Char c) {
  return c >= Char{'0'} && c <= Char{'9'};
}

template <std::integral Char>
constexpr bool IsAsciiLetter(Char c) {
  return (c >= Char{'a'} && c <= Char{'z'}) || (c >= Char{'A'} && c <= Char{'Z'});
}

template <std::integral Char>
constexpr Char AsciiLower(Char c) {
  return c >= Char{'A'} && c <= Char{'Z'} ? static_cast<Char>(c + 0x20) : c;
}

template <std::integral Char>
constexpr Char AsciiUpper(Char c) {
  return c >= Char{'a'} && c <= Char{'z'} ? static_cast<Char>(c - 0x20) : c;
}

// The text with a-z raised (AsciiUpper) or A-Z lowered; every other byte is kept.
std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);

constexpr bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

constexpr bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

constexpr bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

// Length of the run of equal bytes that starts at text[pos] (pos < text.size()).
constexpr std::size_t RunLength(std::string_view text, std::size_t pos) {
  std::size_t end = pos + 1;
  while (end < text.size() && text[end] == text[pos]) ++end;
  return end - pos;
}

// The number that `digits` spells in `base` (10 or 16: 0-9 and a-f in either case), when the
// text is nothing but such digits and the value fits in T. No sign, blank or prefix.
template <std::unsigned_integral T>
std::optional<T> ReadDigits(std::string_view digits, int base = 10) {
  T value{};
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value, base);
  if (digits.empty() || error != std::errc{} || stop != end) return std::nullopt;
  return value;
}

// The run of decimal digits at text[pos...], read as T; pos moves past it. Nothing (pos kept)
// when there is no digit there or the run does not fit in T.
template <std::unsigned_integral T>
std::optional<T> ReadLeadingDigits(std::string_view text, std::size_t& pos) {
  std::size_t end = pos;
  while (end < text.size() && IsAsciiDigit(text[end])) ++end;
  const std::optional<T> value = ReadDigits<T>(text.substr(pos, end - pos));
  if (value) pos = end;
  return value;
}

}  // namespace dorvane
