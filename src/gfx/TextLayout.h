#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvane {

// Text after "&" prefix handling: "&&" shows one "&"; "&x" shows x and marks it; a lone "&" at
// the very end is dropped. When several characters are marked the last one wins: it is the
// text's accelerator and the one that gets underlined.
struct PrefixedText {
  std::string shown;
  std::ptrdiff_t marked = -1;  // byte offset in shown of the marked character, or -1
  char32_t accelerator = 0;    // the marked code point, or 0
};
PrefixedText ParsePrefix(std::string_view text);

// How a canvas measures: width of a run of text without tabs or line breaks, and the distance
// between tab stops (used with DT_EXPANDTABS).
struct TextMeasure {
  std::function<int(std::string_view)> width;
  int tabWidth = 48;
};

// A run of one line between tabs, placed at x from the line's start.
struct TextPiece {
  std::string text;
  int x = 0;
  std::ptrdiff_t marked = -1;  // byte offset in text of the underlined character, or -1
};

struct TextLine {
  std::vector<TextPiece> pieces;
  int width = 0;
};

// Breaks text into lines as DrawText does with these DT_* flags: CR, LF and CR LF always end a
// line (a final one adds no empty line); DT_WORDBREAK also breaks at blanks so that a line fits
// in maxWidth, dropping the blanks at the break (a word wider than maxWidth stays whole);
// DT_EXPANDTABS moves text after a tab to the next tab stop, else a tab shows as a blank;
// without DT_NOPREFIX the "&" rules of ParsePrefix apply. Empty text gives no line.
std::vector<TextLine> LayOutText(std::string_view text, std::uint32_t flags, int maxWidth,
                                 const TextMeasure& measure);

}  // namespace dorvane
