#include "gfx/TextLayout.h"

#include "gfx/TextFlags.h"
#include "text/Utf8.h"

namespace dorvane {

PrefixedText ParsePrefix(std::string_view text) {
  PrefixedText out;
  out.shown.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '&') {
      if (i + 1 == text.size()) break;
      if (text[i + 1] == '&') {
        out.shown += '&';
        i += 2;
        continue;
      }
      const auto [accelerator, len] = DecodeUtf8(text, i + 1);
      out.accelerator = accelerator;
      out.marked = static_cast<std::ptrdiff_t>(out.shown.size());
      out.shown.append(text.substr(i + 1, len));
      i += 1 + len;
      continue;
    }
    out.shown += text[i];
    ++i;
  }
  return out;
}

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

class LineBuilder {
 public:
  LineBuilder(std::string_view shown, std::ptrdiff_t marked, std::uint32_t flags,
              const TextMeasure& measure)
      : shown_(shown),
        marked_(marked),
        expandTabs_((flags & DT_EXPANDTABS) != 0),
        measure_(measure) {}

  TextLine Build(std::size_t begin, std::size_t end) const {
    TextLine line;
    int x = 0;
    std::size_t pieceBegin = begin;
    for (std::size_t i = begin; i <= end; ++i) {
      const bool atTab = i < end && shown_[i] == '\t' && expandTabs_;
      if (i < end && !atTab) continue;
      TextPiece piece;
      piece.text = std::string(shown_.substr(pieceBegin, i - pieceBegin));
      if (!expandTabs_) {
        for (char& c : piece.text) {
          if (c == '\t') c = ' ';
        }
      }
      piece.x = x;
      const auto at = static_cast<std::ptrdiff_t>(pieceBegin);
      if (marked_ >= at && marked_ < at + static_cast<std::ptrdiff_t>(piece.text.size())) {
        piece.marked = marked_ - at;
      }
      x += piece.text.empty() ? 0 : measure_.width(piece.text);
      if (!piece.text.empty()) line.pieces.push_back(std::move(piece));
      if (atTab) {
        const int tab = measure_.tabWidth > 0 ? measure_.tabWidth : 1;
        x = (x / tab + 1) * tab;
      }
      pieceBegin = i + 1;
    }
    line.width = x;
    return line;
  }

 private:
  std::string_view shown_;
  std::ptrdiff_t marked_;
  bool expandTabs_;
  const TextMeasure& measure_;
};

// Greedy breaking at blanks: a word goes to the next line when it would pass maxWidth and the
// line already holds a word. Blanks at a break are dropped; blanks ending the paragraph stay.
void WrapParagraph(const LineBuilder& builder, std::string_view shown, std::size_t begin,
                   std::size_t end, int maxWidth, std::vector<TextLine>& lines) {
  std::size_t lineStart = begin;
  std::size_t lastWordEnd = begin;
  bool lineHasWord = false;
  std::size_t pos = begin;
  while (true) {
    std::size_t wordStart = pos;
    while (wordStart < end && IsBlank(shown[wordStart])) ++wordStart;
    if (wordStart == end) break;
    std::size_t wordEnd = wordStart;
    while (wordEnd < end && !IsBlank(shown[wordEnd])) ++wordEnd;
    if (lineHasWord && builder.Build(lineStart, wordEnd).width > maxWidth) {
      lines.push_back(builder.Build(lineStart, lastWordEnd));
      lineStart = wordStart;
    }
    lineHasWord = true;
    lastWordEnd = wordEnd;
    pos = wordEnd;
  }
  lines.push_back(builder.Build(lineStart, end));
}

}  // namespace

std::vector<TextLine> LayOutText(std::string_view text, std::uint32_t flags, int maxWidth,
                                 const TextMeasure& measure) {
  PrefixedText prefixed;
  if (flags & DT_NOPREFIX) {
    prefixed.shown = std::string(text);
  } else {
    prefixed = ParsePrefix(text);
  }
  const std::string_view shown = prefixed.shown;
  const LineBuilder builder(shown, prefixed.marked, flags, measure);

  std::vector<TextLine> lines;
  std::size_t start = 0;
  while (start < shown.size()) {
    std::size_t stop = start;
    while (stop < shown.size() && shown[stop] != '\r' && shown[stop] != '\n') ++stop;
    if (flags & DT_WORDBREAK) {
      WrapParagraph(builder, shown, start, stop, maxWidth, lines);
    } else {
      lines.push_back(builder.Build(start, stop));
    }
    if (stop == shown.size()) break;
    start = stop + 1;
    if (shown[stop] == '\r' && start < shown.size() && shown[start] == '\n') ++start;
  }
  return lines;
}

}  // namespace dorvane
