#include "gfx/TextLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingCanvas.h"
#include "gfx/TextFlags.h"
#include "text/Utf8.h"

namespace dorvane {
namespace {

// A line as "text@x|text@x:width", the underlined character in brackets.
std::string Describe(const TextLine& line) {
  std::string out;
  for (const TextPiece& p : line.pieces) {
    if (!out.empty()) out += "|";
    std::string t = p.text;
    if (p.marked >= 0) {
      const auto at = static_cast<std::size_t>(p.marked);
      const std::size_t len = CodePointLength(t, at);
      t = t.substr(0, at) + "[" + t.substr(at, len) + "]" + t.substr(at + len);
    }
    out += t + "@" + std::to_string(p.x);
  }
  return out + ":" + std::to_string(line.width);
}

// Measured 6 pixels a code point, with tab stops every 48 pixels.
TEST(LayoutTest, BreaksAndPlacesAsExpected) {
  const struct {
    const char* text;
    std::uint32_t flags;
    int maxWidth;
    std::vector<std::string> lines;
  } cases[] = {
      {"", 0, 100, {}},
      {"abc", 0, 0, {"abc@0:18"}},
      {"&Fichier", 0, 100, {"[F]ichier@0:42"}},
      {"&Fichier", DT_NOPREFIX, 100, {"&Fichier@0:48"}},
      {"A&&B", 0, 100, {"A&B@0:18"}},
      {"&&&x", 0, 100, {"&[x]@0:12"}},
      {"&a &b", 0, 100, {"a [b]@0:18"}},  // the last mark wins
      {"ab&", 0, 100, {"ab@0:12"}},
      {"& ", 0, 100, {"[ ]@0:6"}},
      {"&été", 0, 100, {"[é]té@0:18"}},
      {"un\ndeux\r\ntrois\rquatre\n",
       0,
       100,
       {"un@0:12", "deux@0:24", "trois@0:30", "quatre@0:36"}},
      {"a\n\nb", 0, 100, {"a@0:6", ":0", "b@0:6"}},
      // Word break: "Lundi mardi" is 66 wide, the blank at the break is dropped.
      {"Lundi mardi mercredi", DT_WORDBREAK, 66, {"Lundi mardi@0:66", "mercredi@0:48"}},
      {"Lundi mardi mercredi", DT_WORDBREAK, 65, {"Lundi@0:30", "mardi@0:30", "mercredi@0:48"}},
      {"Lundi mardi mercredi", 0, 65, {"Lundi mardi mercredi@0:120"}},
      // A word wider than the line stays whole.
      {"anticonstitutionnellement ok",
       DT_WORDBREAK,
       30,
       {"anticonstitutionnellement@0:150", "ok@0:12"}},
      // Blanks ending the text still count.
      {"ab  ", DT_WORDBREAK, 100, {"ab  @0:24"}},
      {"  ab cd", DT_WORDBREAK, 30, {"  ab@0:24", "cd@0:12"}},
      {"&Lundi &mardi", DT_WORDBREAK, 40, {"Lundi@0:30", "[m]ardi@0:30"}},
      // Tabs: to the next multiple of 48 with DT_EXPANDTABS, a blank without.
      {"a\tb", DT_EXPANDTABS, 200, {"a@0|b@48:54"}},
      {"12345678\tb", DT_EXPANDTABS, 200, {"12345678@0|b@96:102"}},
      {"a\tb", 0, 200, {"a b@0:18"}},
      {"a\t&b", DT_EXPANDTABS, 200, {"a@0|[b]@48:54"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> got;
    for (const TextLine& line :
         LayOutText(c.text, c.flags, c.maxWidth, testing::RecordingCanvas::Measure()))
      got.push_back(Describe(line));
    EXPECT_EQ(got, c.lines) << "text: " << c.text;
  }
}

// The marked character of the table above is the accelerator.
TEST(PrefixTest, AcceleratorIsTheLastSingleMark) {
  EXPECT_EQ(ParsePrefix("&Date &suivante").accelerator, U's');
  EXPECT_EQ(ParsePrefix("&&x").accelerator, 0u);
  EXPECT_EQ(ParsePrefix("&&&x").accelerator, U'x');
  EXPECT_EQ(ParsePrefix("&été").accelerator, U'é');
  EXPECT_EQ(ParsePrefix("&été").marked, 0);
}

}  // namespace
}  // namespace dorvane
