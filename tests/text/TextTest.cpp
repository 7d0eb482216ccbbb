#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/Ascii.h"
#include "text/Paths.h"
#include "text/Utf8.h"

namespace dorvane {
namespace {

std::vector<char32_t> Decoded(std::string_view text) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < text.size();) {
    const DecodedCodePoint d = DecodeUtf8(text, i);
    out.push_back(d.codePoint);
    i += d.length;
  }
  return out;
}

constexpr char32_t R = kReplacementCharacter;

TEST(Utf8, IllFormedBytesGiveOneReplacementPerMaximalSubpart) {
  const struct {
    const char* bytes;
    std::vector<char32_t> expected;
  } cases[] = {
      {"a\xC3\xA9", {U'a', U'é'}},
      {"\xE2\x82\xAC\xF0\x9F\x8C\x99", {U'€', U'\U0001F319'}},
      {"\xC3", {R}},  // a lone lead byte is not Ã
      {"\xC3x", {R, U'x'}},
      {"\xED\xA0\x80", {R, R, R}},  // a surrogate: ED takes 80..9F only
      {"\xED\x9F\xBF", {0xD7FF}},
      {"\xE2\x82", {R}},  // cut short: one maximal subpart
      {"\xE2\x82x", {R, U'x'}},
      {"\xF0\x9F\x8C", {R}},
      {"\x80\xBF", {R, R}},  // stray continuation bytes
      {"\xC0\xAF", {R, R}},  // overlong
      {"\xE0\x80\xAF", {R, R, R}},
      {"\xF4\x90\x80\x80", {R, R, R, R}},  // beyond U+10FFFF
      {"\xF5\xFF", {R, R}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Decoded(c.bytes), c.expected) << c.bytes;
    EXPECT_EQ(CodePointCount(c.bytes), c.expected.size()) << c.bytes;
    EXPECT_EQ(FirstCodePoint(c.bytes), c.expected.front()) << c.bytes;
  }
}

TEST(Utf8, FirstCodePointsNeverSplitsACharacter) {
  const struct {
    std::string text;
    std::size_t count;
    std::string kept;
  } cases[] = {
      {"", 100, ""},
      {"abc", 0, ""},
      {"abc", 2, "ab"},
      {"Année", 4, "Anné"},  // é is two bytes, kept whole
      {"août 😀 lune", 6, "août 😀"},
      {"a\x80\x80z", 2, "a\x80"},  // each stray byte is a character of its own
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FirstCodePoints(c.text, c.count), c.kept) << c.text << " / " << c.count;
  }
}

TEST(Ascii, FoldsOnlyTheAsciiLetters) {
  EXPECT_EQ(AsciiLower("Décembre ÉTÉ"), "décembre ÉtÉ");
  EXPECT_TRUE(EqualsNoCase("text/SiteMap", "TEXT/sitemap"));
  EXPECT_FALSE(EqualsNoCase("été", "ÉTÉ"));
  EXPECT_TRUE(StartsWithNoCase("MS-ITS:a.chm", "ms-its:"));
  EXPECT_TRUE(EndsWithNoCase("page.HTM", ".htm"));
  EXPECT_FALSE(EndsWithNoCase("htm", ".htm"));
  EXPECT_EQ(AsciiUpper(U'é'), U'é');
  EXPECT_EQ(AsciiUpper(U'q'), U'Q');
}

TEST(Ascii, ReadDigitsTakesDigitsOnly) {
  EXPECT_EQ(ReadDigits<unsigned>("007"), 7u);
  EXPECT_EQ(ReadDigits<std::uint32_t>("4294967295"), 4294967295u);
  EXPECT_EQ(ReadDigits<std::uint32_t>("fF", 16), 255u);
  for (const char* refused : {"", " 1", "+1", "-1", "1 ", "12a", "0x1", "4294967296"}) {
    EXPECT_EQ(ReadDigits<std::uint32_t>(refused), std::nullopt) << refused;
  }
  std::size_t pos = 4;
  EXPECT_EQ(ReadLeadingDigits<std::uint64_t>("Mem:123 kB", pos), 123u);
  EXPECT_EQ(pos, 7u);
  EXPECT_EQ(ReadLeadingDigits<std::uint8_t>("300", pos = 0), std::nullopt);
  EXPECT_EQ(pos, 0u);
}

TEST(Paths, PartsOfAPath) {
  EXPECT_EQ(DirectoryOf("/usr/bin/dorvane"), "/usr/bin");
  EXPECT_EQ(DirectoryOf("/dorvane"), "/");
  EXPECT_EQ(DirectoryOf("dorvane"), "");
  EXPECT_EQ(FileNameOf("/usr/bin/dorvane"), "dorvane");
  // Any character, whatever the system's 8-bit code page.
  EXPECT_EQ(DirectoryOf("/Mes outils d'été/Łódź 𝄞/dorvane.exe"), "/Mes outils d'été/Łódź 𝄞");
  EXPECT_EQ(FileNameOf("/Mes outils d'été/Łódź/Été ℮.chm"), "Été ℮.chm");
}

// Every scalar value through UTF-8 and UTF-16 and back; a surrogate's UTF-8 form is refused,
// and a lone surrogate of UTF-16 is kept, as text that no well-formed UTF-8 holds.
TEST(Utf16, EveryCodePointRoundTrips) {
  for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
    std::string utf8;
    AppendUtf8(utf8, cp);
    const DecodedCodePoint d = DecodeUtf8(utf8, 0);
    ASSERT_EQ(d.length, utf8.size());
    if (cp >= 0xD800 && cp <= 0xDFFF) {
      ASSERT_EQ(d.codePoint, R);
      continue;
    }
    ASSERT_EQ(d.codePoint, cp);
    const std::u16string utf16 = Utf16FromUtf8(utf8);
    ASSERT_EQ(utf16.size(), cp < 0x10000 ? 1u : 2u) << static_cast<unsigned>(cp);
    ASSERT_EQ(Utf8FromUtf16(utf16), utf8) << static_cast<unsigned>(cp);
    ASSERT_TRUE(IsWellFormedUtf8(utf8)) << static_cast<unsigned>(cp);
  }
  std::string beyond;
  AppendUtf8(beyond, 0x110000);
  EXPECT_EQ(beyond, "\xEF\xBF\xBD");
  EXPECT_EQ(Utf8FromUtf16(u"a\xD800"), "a\xED\xA0\x80");
  for (const std::u16string lone : {u"a\xD800",
                                    u"\xDC00"
                                    u"b",
                                    u"\xDC00\xD800"})
    EXPECT_FALSE(IsWellFormedUtf8(Utf8FromUtf16(lone)));
  EXPECT_TRUE(IsWellFormedUtf8(Utf8FromUtf16(u"a\xFFFD\xD83D\xDE00")));
  EXPECT_EQ(Utf16FromUtf8("\xC3(\xF0\x9F\x98"), u"\xFFFD(\xFFFD");
  for (const char* ill : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "a\xF0\x9F\x98"})
    EXPECT_FALSE(IsWellFormedUtf8(ill)) << ill;
}

}  // namespace
}  // namespace dorvane
