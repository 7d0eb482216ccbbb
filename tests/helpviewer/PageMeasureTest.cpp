#include <gtest/gtest.h>

#include <QTextDocument>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "PageMeasure.h"

namespace {

using namespace dorvane::helpviewer;

QString Repeat(const QString& unit, qsizetype n) {
  return unit.repeated(n);
}

// Each bound, just within and just beyond, as the document Qt reads the page into has it:
// markup Qt reads otherwise than a plain reading of the text would (end tags with more after
// their name, references inside tag names, elements inside script bodies) is counted as Qt
// reads it. And the program's own help pages fit with room to spare.
TEST(MeasurePage, HoldsAPageToEachBoundAsQtReadsIt) {
  const PageLimits l;
  const auto n = [](std::size_t v) { return static_cast<qsizetype>(v); };
  const struct {
    const char* what;
    QString html;
    PageCost cost;
  } cases[] = {
      {"size", QString(n(l.maxBytes), QLatin1Char(' ')), PageCost::kFits},
      {"size", QString(n(l.maxBytes) + 1, QLatin1Char(' ')), PageCost::kTooLarge},
      {"size in UTF-8", Repeat(QStringLiteral("é"), n(l.maxBytes) / 2 + 1), PageCost::kTooLarge},
      {"tags", Repeat(QStringLiteral("<b>a</b> "), n(l.maxTags) / 2), PageCost::kFits},
      {"tags", Repeat(QStringLiteral("<b>a</b> "), n(l.maxTags) / 2) + "<br>",
       PageCost::kTooManyElements},
      {"tags in a script body",
       "<script>" + Repeat(QStringLiteral("<div>"), n(l.maxTags)) + "</script>",
       PageCost::kTooManyElements},
      {"tables", Repeat(QStringLiteral("<table><tr><td>"), n(l.maxTableDepth)), PageCost::kFits},
      {"tables", Repeat(QStringLiteral("<table><tr><td>"), n(l.maxTableDepth) + 1),
       PageCost::kTablesTooDeep},
      {"tables closed by end tags with more after the name",
       Repeat(QStringLiteral("<table><tr><td>x</table/x>"), 1) +
           Repeat(QStringLiteral("<table><tr><td>"), n(l.maxTableDepth) + 1),
       PageCost::kTablesTooDeep},
      {"tables named with a reference", Repeat(QStringLiteral("<t&#97;ble><tr><td>"), 40),
       PageCost::kTablesTooDeep},
      {"cells", "<table><tr>" + Repeat(QStringLiteral("<td>a"), n(l.maxCells)) + "</table>",
       PageCost::kFits},
      {"cells", "<table><tr>" + Repeat(QStringLiteral("<td>a"), n(l.maxCells) + 1) + "</table>",
       PageCost::kTooManyCells},
      {"cells, nested count double",
       "<table><tr><td><table>" + Repeat(QStringLiteral("<tr><td>a"), n(l.maxCells) / 2) +
           "</table></table>",
       PageCost::kTooManyCells},
      {"list items", "<ol>" + Repeat(QStringLiteral("<li>a"), n(l.maxListItems)) + "</ol>",
       PageCost::kFits},
      {"list items", "<ol>" + Repeat(QStringLiteral("<li>a</li>"), n(l.maxListItems) + 1) + "</ol>",
       PageCost::kTooManyListItems},
      {"list items in many lists",
       Repeat(QStringLiteral("<ul><li>a<li>b</ul>"), n(l.maxListItems) / 2 + 1),
       PageCost::kTooManyListItems},
      {"lists left open by end tags with more after the name",
       Repeat(QStringLiteral("<ul><li>a</ul/x>"), n(l.maxDepth) + 1), PageCost::kTooDeep},
      {"word",
       QString(n(l.maxWord), QLatin1Char('a')) + " " + QString(n(l.maxWord), QLatin1Char('a')),
       PageCost::kFits},
      {"word", QString(n(l.maxWord) + 1, QLatin1Char('a')), PageCost::kWordTooLong},
      {"word across tags", QString(n(l.maxWord), QLatin1Char('a')) + "<b>a</b>",
       PageCost::kWordTooLong},
      {"word of accented letters", Repeat(QStringLiteral("é"), n(l.maxWord) + 1),
       PageCost::kWordTooLong},
      {"ideographs break", Repeat(QStringLiteral("日本語"), n(l.maxWord)), PageCost::kFits},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MeasurePage(c.html), c.cost) << c.what << " (" << c.html.size() << " characters)";

  for (const auto& page : std::filesystem::directory_iterator(DORVANE_HELP_SOURCES)) {
    if (page.path().extension() != ".html") continue;
    std::ifstream in(page.path(), std::ios::binary);
    const std::string html((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(
        MeasurePage(QString::fromStdString(html), {html.size() * 4, 400, 10, 2, 100, 100, 100}),
        PageCost::kFits)
        << page.path();
  }
}

}  // namespace
