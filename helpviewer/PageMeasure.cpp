#include "PageMeasure.h"

#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QVariant>
#include <utility>
#include <vector>

namespace dorvane::helpviewer {
namespace {

// A document that loads nothing: style sheets a page links to are asked for while it is read.
class BareDocument : public QTextDocument {
 protected:
  QVariant loadResource(int, const QUrl&) override { return QString(); }
};

// Where a line may break inside a run without blanks: after an ideograph or syllable of a
// script written without blanks (CJK, kana, Hangul).
bool BreaksAfter(QChar c) {
  const char16_t u = c.unicode();
  return (u >= 0x3040 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x9FFF) ||
         (u >= 0xAC00 && u <= 0xD7A3);
}

qsizetype LongestWord(const QString& text) {
  qsizetype longest = 0;
  qsizetype word = 0;
  for (const QChar c : text) {
    if (c.isSpace() || BreaksAfter(c) || c == QChar::ObjectReplacementCharacter) {
      word = 0;
    } else if (!c.isLowSurrogate()) {
      longest = std::max(longest, ++word);
    }
  }
  return longest;
}

}  // namespace

PageCost MeasureDocument(const QTextDocument& document, const PageLimits& limits) {
  // Frames (tables among them) as they nest, walked without recursion.
  struct Level {
    QTextFrame* frame;
    std::size_t depth;
    std::size_t tables;
  };
  std::vector<Level> pending{{document.rootFrame(), 0, 0}};
  std::size_t cells = 0;
  while (!pending.empty()) {
    const Level level = pending.back();
    pending.pop_back();
    for (QTextFrame* child : level.frame->childFrames()) {
      Level inner{child, level.depth + 1, level.tables};
      if (inner.depth > limits.maxDepth) return PageCost::kTooDeep;
      if (const auto* table = qobject_cast<QTextTable*>(child)) {
        if (++inner.tables > limits.maxTableDepth) return PageCost::kTablesTooDeep;
        const auto count =
            static_cast<std::size_t>(table->rows()) * static_cast<std::size_t>(table->columns());
        // A cell inside n tables is laid out 2^(n-1) times.
        if (count > limits.maxCells || (cells += count << (inner.tables - 1)) > limits.maxCells)
          return PageCost::kTooManyCells;
      }
      pending.push_back(inner);
    }
  }
  // Lists, their nesting and their items; words, block by block.
  QSet<const QTextList*> lists;
  std::size_t items = 0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (const QTextList* list = block.textList(); list != nullptr && !lists.contains(list)) {
      lists.insert(list);
      items += static_cast<std::size_t>(list->count());
      if (items > limits.maxListItems) return PageCost::kTooManyListItems;
      if (static_cast<std::size_t>(std::max(list->format().indent(), 0)) > limits.maxDepth)
        return PageCost::kTooDeep;
    }
    if (static_cast<std::size_t>(std::max(block.blockFormat().indent(), 0)) > limits.maxDepth)
      return PageCost::kTooDeep;
    if (static_cast<std::size_t>(LongestWord(block.text())) > limits.maxWord)
      return PageCost::kWordTooLong;
  }
  return PageCost::kFits;
}

PageCost MeasurePage(const QString& html, const PageLimits& limits) {
  if (static_cast<std::size_t>(html.toUtf8().size()) > limits.maxBytes) return PageCost::kTooLarge;
  if (static_cast<std::size_t>(html.count(QLatin1Char('<'))) > limits.maxTags)
    return PageCost::kTooManyElements;
  BareDocument document;
  document.setHtml(html);
  return MeasureDocument(document, limits);
}

}  // namespace dorvane::helpviewer
