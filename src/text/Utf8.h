#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dorvane {

// UTF-8 as the whole program reads it. A well-formed sequence is one code point; anything else
// is U+FFFD, one for each maximal subpart of an ill-formed sequence (the longest start of a
// valid sequence, or else a single byte). Surrogates (ED A0..BF ..) and overlong forms are
// ill-formed. So every scan advances by at least one byte and agrees with every other.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

struct DecodedCodePoint {
  char32_t codePoint = 0;
  std::size_t length = 0;  // bytes read, at least 1 when pos is inside the text
};

// The code point that starts at byte pos of text (pos < text.size()).
DecodedCodePoint DecodeUtf8(std::string_view text, std::size_t pos);

// Appends one code point as UTF-8; surrogates and values beyond U+10FFFF become U+FFFD.
void AppendUtf8(std::string& out, char32_t cp);

// UTF-16 for UTF-8 text read by the rule above (ill-formed bytes become U+FFFD).
std::u16string Utf16FromUtf8(std::string_view text);

// UTF-8 for UTF-16 text. A surrogate without its pair keeps its value in the three bytes of the
// generalised form (ED A0..BF ..), which every reader here finds ill-formed: a name made of such
// a code unit is never mistaken for another name.
std::string Utf8FromUtf16(std::u16string_view text);

// Whether the text is well-formed UTF-8 by the rule above.
bool IsWellFormedUtf8(std::string_view text);

// Number of code points in UTF-8 text, by the rule above.
std::size_t CodePointCount(std::string_view text);

// Length in bytes of the code point that starts at text[pos].
inline std::size_t CodePointLength(std::string_view text, std::size_t pos) {
  return DecodeUtf8(text, pos).length;
}

// First code point of UTF-8 text, or U'\0' when the text is empty.
char32_t FirstCodePoint(std::string_view text);

// The text made fit for one line of a message or a report: control characters (C0, DEL, C1,
// and a lone byte of 0x80 to 0x9F, which a terminal reading 8-bit text takes for C1) and the
// controls of bidirectional text (marks, embeddings, overrides, isolates), which would break
// the line or turn its reading order around, each become "?".
std::string OneLineText(std::string_view text);

// Columns the text takes in a terminal: two for East Asian wide and full-width characters, none
// for combining marks and invisible format characters, one for the rest.
std::size_t DisplayWidth(std::string_view text);

// True when the text holds a letter of a right-to-left script (Hebrew, Arabic, Syriac, Thaana).
bool HasRightToLeftLetter(std::string_view text);

// The first `count` code points of UTF-8 text, never splitting one.
std::string FirstCodePoints(std::string_view text, std::size_t count);

}  // namespace dorvane
