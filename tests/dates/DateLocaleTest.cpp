#include <map>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "dates/DateLocale.h"
#include "dates/Formatting.h"

namespace dorvane {
namespace {

using platform::LocaleItem;

class FakeLocaleSource final : public platform::LocaleSource {
 public:
  FakeLocaleSource& Set(LocaleItem item, std::string text, int index = 0) {
    items_[{item, index}] = std::move(text);
    return *this;
  }
  std::optional<std::string> Item(LocaleItem item, int index) const override {
    const auto it = items_.find({item, index});
    if (it == items_.end()) return std::nullopt;
    return it->second;
  }

 private:
  std::map<std::pair<LocaleItem, int>, std::string> items_;
};

// Every field of the record, to compare two of them whole.
auto Fields(const DateLocale& l) {
  return std::tie(l.MonthAbbrevs, l.MonthNames, l.DayAbbrevs, l.DayNames, l.ShortDatePattern,
                  l.LongDatePattern, l.DateSep, l.TimeSep, l.MorningMark, l.EveningMark,
                  l.DecimalSep, l.ThousandSep, l.ShortTimePattern, l.LongTimePattern);
}

TEST(ReadDateLocale, WithoutDataEveryFieldKeepsItsFrenchDefault) {
  const DateLocale read = ReadDateLocale(platform::EmptyLocaleSource{});
  const DateLocale defaults;
  EXPECT_EQ(Fields(read), Fields(defaults));
}

TEST(ReadDateLocale, MapsTheItemsAndFallsBackOnEmptyOnes) {
  FakeLocaleSource source;
  const char* days[] = {"lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi", "dimanche"};
  for (int d = 1; d <= 7; ++d) {
    source.Set(LocaleItem::DayName, days[d - 1], d);
    source.Set(LocaleItem::DayAbbrev, std::string(days[d - 1]).substr(0, 3) + ".", d);
  }
  source.Set(LocaleItem::MonthName, "janvier", 1)
      .Set(LocaleItem::MonthName, "", 2)  // empty: the default stays
      .Set(LocaleItem::MonthName, "décembre", 12)
      .Set(LocaleItem::MonthAbbrev, "févr.", 2)
      .Set(LocaleItem::ShortDatePattern, "dd/mm/yyyy")
      .Set(LocaleItem::LongDatePattern, "dddd d mmmm yyyy")
      .Set(LocaleItem::DateSeparator, "-x")
      .Set(LocaleItem::TimeSeparator, "h")
      .Set(LocaleItem::DecimalSeparator, ",")
      .Set(LocaleItem::ThousandSeparator, "\u202F")
      .Set(LocaleItem::MorningMark, "")
      .Set(LocaleItem::EveningMark, "PM");
  const DateLocale read = ReadDateLocale(source);
  EXPECT_EQ(read.DayNames[0], "dimanche");  // Sunday comes from the seventh entry
  EXPECT_EQ(read.DayNames[1], "lundi");
  EXPECT_EQ(read.DayNames[6], "samedi");
  EXPECT_EQ(read.DayAbbrevs[0], "dim.");
  EXPECT_EQ(read.DayAbbrevs[3], "mer.");
  EXPECT_EQ(read.MonthNames[0], "janvier");
  EXPECT_EQ(read.MonthNames[1], "Février");
  EXPECT_EQ(read.MonthNames[2], "Mars");
  EXPECT_EQ(read.MonthNames[11], "décembre");
  EXPECT_EQ(read.MonthAbbrevs[1], "févr.");
  EXPECT_EQ(read.MonthAbbrevs[0], "Jan");
  EXPECT_EQ(read.DateSep, U'-');
  EXPECT_EQ(read.TimeSep, U'h');
  EXPECT_EQ(read.DecimalSep, U',');
  EXPECT_EQ(read.ThousandSep, "\u202F");  // whole, not its first character
  EXPECT_EQ(read.MorningMark, "am");
  EXPECT_EQ(read.EveningMark, "PM");
  EXPECT_EQ(FormatDateValue("dddddd", MakeDate(2005, 3, 6), read), "dimanche 6 Mars 2005");
  EXPECT_EQ(FormatDateValue("ddddd", MakeDate(2005, 3, 6), read), "06-03-2005");
}

TEST(ReadDateLocale, BuildsTheTimePatternsFromTheHourFormat) {
  struct Case {
    const char* leadingZero;  // nullptr: no data
    const char* format;
    const char* markerPosition;
    const char* shortPattern;
    const char* longPattern;
    const char* clock;  // 14:05:09
  };
  const Case cases[] = {
      {nullptr, nullptr, nullptr, "h:mm AMPM", "h:mm:ss AMPM", "2:05:09 pm"},
      {"1", "1", "0", "hh:mm", "hh:mm:ss", "14:05:09"},
      {"0", "1", "1", "h:mm", "h:mm:ss", "14:05:09"},
      {"1", "0", "0", "hh:mm AMPM", "hh:mm:ss AMPM", "02:05:09 pm"},
      // The hour turns 12-hour only for a marker that follows it.
      {"0", "0", "1", "AMPM h:mm", "AMPM h:mm:ss", "pm 14:05:09"},
      {"2", " 1", "7", "hh:mm", "hh:mm:ss", "14:05:09"},
      {"oui", "vingt-quatre", "avant", "h:mm AMPM", "h:mm:ss AMPM", "2:05:09 pm"},
      {"$1", "0x1", "", "hh:mm", "hh:mm:ss", "14:05:09"},
  };
  for (const Case& c : cases) {
    FakeLocaleSource source;
    if (c.leadingZero) source.Set(LocaleItem::TimeLeadingZero, c.leadingZero);
    if (c.format) source.Set(LocaleItem::TimeFormat, c.format);
    if (c.markerPosition) source.Set(LocaleItem::TimeMarkerPosition, c.markerPosition);
    const DateLocale read = ReadDateLocale(source);
    EXPECT_EQ(read.ShortTimePattern, c.shortPattern);
    EXPECT_EQ(read.LongTimePattern, c.longPattern);
    EXPECT_EQ(ClockText(MakeDate(2005, 3, 1) + (14 * 3600 + 5 * 60 + 9) / 86400.0, read), c.clock);
  }
}

}  // namespace
}  // namespace dorvane
