#include <string>

#include <gtest/gtest.h>

#include "dates/Utf8.h"
#include "forms/AboutTexts.h"

namespace dorvane {
namespace {

TEST(AboutTexts, MakerNoticeHasThirtyCharacters) {
  EXPECT_EQ(CodePointCount(kMakerNotice), 30u);
}

TEST(AboutTexts, FirstCodePointsNeverSplitsACharacter) {
  const struct {
    std::string text;
    std::size_t count;
    std::string kept;
  } cases[] = {
      {"", 100, ""},
      {"abc", 0, ""},
      {"abc", 2, "ab"},
      {"abc", 3, "abc"},
      {"abc", 100, "abc"},
      {"Année", 3, "Ann"},
      {"Année", 4, "Anné"},          // é is two bytes, kept whole
      {"août 😀 lune", 6, "août 😀"},  // a four-byte character
      {"€€€", 2, "€€"},
      {"a\x80\x80z", 1, "a\x80\x80"},  // stray continuation bytes stay with the 'a'
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FirstCodePoints(c.text, c.count), c.kept) << c.text << " / " << c.count;
  }
}

}  // namespace
}  // namespace dorvane
