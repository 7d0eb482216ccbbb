#include <string>

#include <gtest/gtest.h>

#include "dates/Formatting.h"
#include "text/Utf8.h"

namespace dorvane {
namespace {

TDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return MakeDate(static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(mo),
                  static_cast<std::uint16_t>(d)) +
         (h * 3600000.0 + mi * 60000.0 + s * 1000.0 + ms) / 86400000.0;
}

struct Case {
  const char* pattern;
  const char* expected;
};

// Tuesday 1 March 2005, 14:05:09.007, with the default (French) locale texts.
class FormatDateValueTest : public ::testing::Test {
 protected:
  void Expect(std::initializer_list<Case> cases, TDateTime x) const {
    for (const Case& c : cases) {
      EXPECT_EQ(FormatDateValue(c.pattern, x, locale), c.expected) << "pattern: " << c.pattern;
    }
  }
  DateLocale locale;
  const TDateTime afternoon = At(2005, 3, 1, 14, 5, 9, 7);
};

// Each token's text, the tokens set apart by a "|" that is copied as it stands.
TEST_F(FormatDateValueTest, DateTokens) {
  Expect({{"d|dd|ddd|dddd", "1|01|Mar|Mardi"},
          {"ddddd|dddddd|ddddddddd", "3/1/05|Mars 1, 2005|Mars 1, 2005"},
          {"m|mm|mmm|mmmm|mmmmmm", "3|03|Mar|Mars|Mars"},
          {"y|yy|yyy|yyyy|yyyyy", "05|05|2005|2005|2005"},
          {"aaa|aaaa|a|aa", "Mar|Mardi|a|aa"},
          {"dd/mm/yyyy|DD/MM/YYYY", "01/03/2005|01/03/2005"},
          {"dD|Dddd", "11|1Mar"}},
         afternoon);
  Expect({{"yyyy|yy|y|d/m/yyyy", "0005|05|05|9/12/0005"}}, At(5, 12, 9));
  Expect({{"dd mmmm yyyy dddd", "31 Décembre 9999 Vendredi"}}, At(9999, 12, 31));
}

TEST_F(FormatDateValueTest, TimeTokens) {
  Expect({{"h|hh|hhhh|n|nn|nnn", "14|14|14|5|05|05"},
          {"s|ss|sss|z|zz|zzz|zzzz", "9|09|09|7|07|007|007"},
          {"t|tt|ttt", "2:05 pm|2:05:09 pm|2:05:09 pm"},
          {"c", "3/1/05 2:05:09 pm"},
          {"", "3/1/05 2:05:09 pm"}},
         afternoon);
  Expect({{"h:n:s.z", "9:0:0.0"}, {"hh:nn:ss.zzz", "09:00:00.000"}}, At(2005, 3, 1, 9));
  // c leaves the time out at midnight, milliseconds notwithstanding.
  Expect({{"c", "3/1/05"}, {"", "3/1/05"}}, At(2005, 3, 1, 0, 0, 0, 500));
}

TEST_F(FormatDateValueTest, MinutesAfterHours) {
  Expect({{"hh:mm", "14:05"},
          {"h:m", "14:5"},
          {"hmmmm", "1405"},
          {"h mmm", "14 05"},
          {"hh'x'mm", "14x05"},
          {"hh\"dd\"mm", "14dd05"},
          {"hh d mm", "14 1 03"},
          {"hh nn mm", "14 05 03"},
          {"mm hh", "03 14"},
          {"hh:mm:mm", "14:05:03"},
          {"Hh:Mm", "1414:53"},
          {"Hh:Mmm", "1414:503"}},
         afternoon);
}

TEST_F(FormatDateValueTest, MorningAndEveningForms) {
  struct HourCase {
    int hour;
    const char* pattern;
    const char* expected;
  };
  const HourCase cases[] = {
      {0, "h am/pm", "12 am"},       {1, "h am/pm", "1 am"},        {11, "hh am/pm", "11 am"},
      {12, "h am/pm", "12 pm"},      {13, "h am/pm", "1 pm"},       {23, "h am/pm", "11 pm"},
      {9, "hh AM/PM", "09 AM"},      {21, "h Am/pM", "9 pM"},       {21, "h a/p", "9 p"},
      {9, "h A/P", "9 A"},           {21, "h ampm", "9 pm"},        {9, "h AMPM", "9 am"},
      {21, "hh h am/pm", "21 9 pm"}, {21, "h 'am/pm'", "21 am/pm"}, {21, "h:nn", "21:00"},
      {21, "am/pm h", "pm 21"},      {0, "h ampm", "12 am"},        {21, "h aaa/p", "21 Mar/p"},
      {21, "h \"x", "21 x"},
  };
  for (const HourCase& c : cases) {
    EXPECT_EQ(FormatDateValue(c.pattern, At(2005, 3, 1, c.hour), locale), c.expected)
        << c.pattern << " at " << c.hour;
  }
  locale.MorningMark = "matin";
  locale.EveningMark = "soir";
  EXPECT_EQ(FormatDateValue("h ampm", At(2005, 3, 1, 7), locale), "7 matin");
  EXPECT_EQ(FormatDateValue("h ampm", At(2005, 3, 1, 19), locale), "7 soir");
}

TEST_F(FormatDateValueTest, SeparatorsQuotesErasAndOtherCharacters) {
  Expect({{"'d' d", "d 1"},
          {"\"yyyy\"", "yyyy"},
          {"\"it's\" d", "it's 1"},
          {"'say \"hi\"'", "say \"hi\""},
          {"d 'open", "1 open"},
          {"''d", "1"},
          {"g gg e ee ggggg", "    "},
          {"x#1 (b) k", "x#1 (b) k"},
          {"d é m", "1 é 3"}},
         afternoon);
  locale.DateSep = U'.';
  locale.TimeSep = U'h';
  Expect({{"d/m/y", "1.3.05"}, {"h:nn", "14h05"}}, afternoon);
  locale.DateSep = U'·';
  Expect({{"d/m", "1·3"}}, afternoon);
  locale.DateSep = U'\0';
  locale.TimeSep = U'\0';
  Expect({{"d/m", "13"}, {"h:n", "145"}}, afternoon);
}

TEST_F(FormatDateValueTest, ExpansionNestsOneLevel) {
  locale.LongDatePattern = "d ddddd dddddd t tt c mmmm";
  locale.ShortDatePattern = "";
  Expect({{"dddddd", "1      Mars"}, {"ddddd", ""}, {"[ddddd]", "[]"}}, afternoon);
  locale.ShortTimePattern = "'T' h:mm ampm";
  locale.LongTimePattern = "h:mm:ss";
  Expect({{"t", "T 2:05 pm"}, {"tt", "14:05:09"}, {"c", " 14:05:09"}}, afternoon);
  // The expanded pattern is read on its own: its minutes follow its own hour.
  locale.ShortDatePattern = "mm";
  Expect({{"hh ddddd", "14 03"}}, afternoon);
}

TEST_F(FormatDateValueTest, ResultIsCutAt256CodePoints) {
  EXPECT_EQ(FormatDateValue(std::string(300, 'x'), afternoon, locale), std::string(256, 'x'));
  // An accented letter counts as one character and is never split.
  EXPECT_EQ(FormatDateValue(std::string(255, 'x') + "éé", afternoon, locale),
            std::string(255, 'x') + "é");
  locale.MonthNames.fill("Février");
  std::string pattern;
  for (int i = 0; i < 40; ++i) pattern += "mmmm'||'";
  std::string expected;
  while (CodePointCount(expected) + 9 <= 256) expected += "Février||";
  expected += "Févr";
  const std::string cut = FormatDateValue(pattern, afternoon, locale);
  EXPECT_EQ(cut, expected);
  EXPECT_EQ(CodePointCount(cut), 256u);
  // The cut also holds for expansions.
  locale.LongDatePattern.clear();
  for (int i = 0; i < 200; ++i) locale.LongDatePattern += "€";
  const std::string doubled = FormatDateValue("dddddd dddddd", afternoon, locale);
  EXPECT_EQ(CodePointCount(doubled), 256u);
  std::string euros;
  for (int i = 0; i < 200; ++i) euros += "€";
  EXPECT_EQ(doubled, euros + " " + euros.substr(0, 55 * 3));
}

TEST_F(FormatDateValueTest, DatesBeforeTheFirstYearFormatWithoutNames) {
  Expect({{"dd/mm/yyyy mmmm mmm|", "00/00/0000  |"}}, -700000.0);
}

}  // namespace
}  // namespace dorvane
