#include "text/Utf8.h"

namespace dorvane {

namespace {

struct LeadRule {
  std::size_t length;       // bytes of the whole sequence; 0 for a byte that never leads
  unsigned char low, high;  // the range allowed for the second byte
};

// The well-formed sequences of the Unicode standard, by their first byte: the second byte's
// range is what excludes overlong forms, surrogates and values beyond U+10FFFF.
constexpr LeadRule RuleOf(unsigned char lead) {
  if (lead < 0x80) return {1, 0, 0};
  if (lead < 0xC2) return {0, 0, 0};
  if (lead < 0xE0) return {2, 0x80, 0xBF};
  if (lead == 0xE0) return {3, 0xA0, 0xBF};
  if (lead == 0xED) return {3, 0x80, 0x9F};
  if (lead < 0xF0) return {3, 0x80, 0xBF};
  if (lead == 0xF0) return {4, 0x90, 0xBF};
  if (lead < 0xF4) return {4, 0x80, 0xBF};
  if (lead == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

}  // namespace

DecodedCodePoint DecodeUtf8(std::string_view text, std::size_t pos) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[pos + k]); };
  const unsigned char lead = byte(0);
  const LeadRule rule = RuleOf(lead);
  if (rule.length == 1) return {lead, 1};
  if (rule.length == 0) return {kReplacementCharacter, 1};
  char32_t cp = lead & (0x7Fu >> rule.length);
  for (std::size_t k = 1; k < rule.length; ++k) {
    const bool valid =
        pos + k < text.size() &&
        (k == 1 ? byte(k) >= rule.low && byte(k) <= rule.high : (byte(k) & 0xC0) == 0x80);
    if (!valid) return {kReplacementCharacter, k};  // the maximal subpart read so far
    cp = (cp << 6) | (byte(k) & 0x3Fu);
  }
  return {cp, rule.length};
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacementCharacter;
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
  for (std::size_t i = 0; i < text.size(); i += CodePointLength(text, i)) ++count;
  return count;
}

char32_t FirstCodePoint(std::string_view text) {
  return text.empty() ? U'\0' : DecodeUtf8(text, 0).codePoint;
}

std::string FirstCodePoints(std::string_view text, std::size_t count) {
  std::size_t end = 0;
  for (std::size_t n = 0; n < count && end < text.size(); ++n) end += CodePointLength(text, end);
  return std::string(text.substr(0, end));
}

}  // namespace dorvane
