#include "text/Utf8.h"

#include <initializer_list>

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

std::u16string Utf16FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const DecodedCodePoint d = DecodeUtf8(text, i);
    i += d.length;
    if (d.codePoint < 0x10000) {
      out += static_cast<char16_t>(d.codePoint);
    } else {
      out += static_cast<char16_t>(0xD800 + ((d.codePoint - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((d.codePoint - 0x10000) & 0x3FF));
    }
  }
  return out;
}

std::string Utf8FromUtf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t unit = text[i];
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[++i] - 0xDC00));
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      out += static_cast<char>(0xE0 | (unit >> 12));
      out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (unit & 0x3F));
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

bool IsWellFormedUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const DecodedCodePoint d = DecodeUtf8(text, i);
    // U+FFFD written as itself, or a replacement for ill-formed bytes.
    if (d.codePoint == kReplacementCharacter && text.substr(i, d.length) != "\xEF\xBF\xBD")
      return false;
    i += d.length;
  }
  return true;
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

std::string OneLineText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const DecodedCodePoint d = DecodeUtf8(text, pos);
    const char32_t cp = d.codePoint;
    const bool control =
        cp < 0x20 || (cp >= 0x7F && cp <= 0x9F) || (d.length == 1 && lead >= 0x80 && lead <= 0x9F);
    const bool bidi = cp == 0x061C || cp == 0x200E || cp == 0x200F ||
                      (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069);
    if (control || bidi)
      out += '?';
    else
      out += text.substr(pos, d.length);
    pos += d.length;
  }
  return out;
}

namespace {

struct Range {
  char32_t first;
  char32_t last;
};

bool InRanges(char32_t cp, std::initializer_list<Range> ranges) {
  for (const Range& r : ranges)
    if (cp >= r.first && cp <= r.last) return true;
  return false;
}

template <typename Each>
void ForEachCodePoint(std::string_view text, Each each) {
  for (std::size_t pos = 0; pos < text.size();) {
    const DecodedCodePoint d = DecodeUtf8(text, pos);
    each(d.codePoint);
    pos += d.length;
  }
}

}  // namespace

std::size_t DisplayWidth(std::string_view text) {
  std::size_t width = 0;
  ForEachCodePoint(text, [&width](char32_t cp) {
    const bool zero =
        InRanges(cp, {{0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x05BF, 0x05BF},
                      {0x05C1, 0x05C2}, {0x05C4, 0x05C5}, {0x05C7, 0x05C7}, {0x0610, 0x061A},
                      {0x064B, 0x065F}, {0x0670, 0x0670}, {0x06D6, 0x06DC}, {0x06DF, 0x06E4},
                      {0x06E7, 0x06E8}, {0x06EA, 0x06ED}, {0x0900, 0x0902}, {0x093A, 0x093A},
                      {0x093C, 0x093C}, {0x0941, 0x0948}, {0x094D, 0x094D}, {0x0951, 0x0957},
                      {0x0962, 0x0963}, {0x200B, 0x200F}, {0x202A, 0x202E}, {0x2060, 0x2069},
                      {0xFE00, 0xFE0F}, {0xFEFF, 0xFEFF}});
    const bool wide = InRanges(cp, {{0x1100, 0x115F},
                                    {0x2E80, 0x303E},
                                    {0x3041, 0x33FF},
                                    {0x3400, 0x4DBF},
                                    {0x4E00, 0x9FFF},
                                    {0xA000, 0xA4CF},
                                    {0xAC00, 0xD7A3},
                                    {0xF900, 0xFAFF},
                                    {0xFE30, 0xFE4F},
                                    {0xFF00, 0xFF60},
                                    {0xFFE0, 0xFFE6},
                                    {0x20000, 0x3FFFD}});
    width += zero ? 0 : wide ? 2 : 1;
  });
  return width;
}

bool HasRightToLeftLetter(std::string_view text) {
  bool found = false;
  ForEachCodePoint(text, [&found](char32_t cp) {
    found = found || InRanges(cp, {{0x05D0, 0x05FF},
                                   {0x0620, 0x064A},
                                   {0x066E, 0x06D5},
                                   {0x0700, 0x07B1},
                                   {0x0750, 0x077F},
                                   {0x08A0, 0x08C9},
                                   {0xFB1D, 0xFDFF},
                                   {0xFE70, 0xFEFC}});
  });
  return found;
}

}  // namespace dorvane
