#include <string>

#include <gtest/gtest.h>

#include "dates/DateLocale.h"
#include "dates/Formatting.h"
#include "platform/LocaleFormats.h"
#include "platform/LocaleTable.h"
#include "platform/QtLocaleSource.h"

#include <QLocale>

namespace dorvane::platform {
namespace {

TEST(PatternFromQtDateFormat, ConvertsTokensAndQuotesLiterals) {
  const struct {
    const char* qt;
    const char* ours;
  } cases[] = {
      {"dddd d MMMM yyyy", "dddd d mmmm yyyy"},
      {"dd/MM/yyyy", "dd/mm/yyyy"},
      {"M/d/yy", "m/d/yy"},
      {"dddd, MMMM d, yyyy", "dddd, mmmm d, yyyy"},
      {"d MMM y", "d mmm yyyy"},
      {"dd.MM.yy", "dd.mm.yy"},
      {"d 'de' MMMM 'de' yyyy", "d \"de\" mmmm \"de\" yyyy"},
      {"yyyy'年'M'月'd'日'", "yyyy年m月d日"},
      {"dddd 'the' d", "dddd \"the\" d"},
      {"d 'o''clock' M", "d \"o'clock\" m"},
      {"d '' M", "d \"'\" m"},
      {"d at h:mm", "d \"a\"\"t\" \"h\"\":\"\"mm\""},
      {"dddddd", "dddd\"\"dd"},
      {"MMMMM", "mmmm\"\"m"},
      {"yyyyy", "yyyy\"\"yyyy"},
      {"d \"x\"", "d '\"'\"x\"'\"'"},
      {"'unfinished", "\"unfinished\""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(PatternFromQtDateFormat(c.qt), c.ours) << c.qt;
}

TEST(PatternFromQtDateFormat, ConvertedLiteralsShowAsTheyStand) {
  const DateLocale locale;
  const TDateTime x = MakeDate(2005, 3, 7);
  EXPECT_EQ(FormatDateValue(PatternFromQtDateFormat("d 'de' MMMM 'à' h:mm"), x, locale),
            "7 de Mars à h:mm");
  EXPECT_EQ(FormatDateValue(PatternFromQtDateFormat("d 'o''clock' \"M\""), x, locale),
            "7 o'clock \"3\"");
}

TEST(ReadQtTimeFormat, DerivesTheHourFormat) {
  const struct {
    const char* qt;
    bool leadingZero, twelveHour, markerFirst;
    const char* separator;
  } cases[] = {
      {"HH:mm:ss", true, false, false, ":"},   {"h:mm AP", false, true, false, ":"},
      {"hh:mm:ss ap", true, true, false, ":"}, {"AP h:mm", false, true, true, ":"},
      {"H.mm", false, false, false, "."},      {"HH 'h' mm", true, false, false, ""},
      {"H:mm AP", false, false, false, ":"},   {"'a' HH:mm", true, false, false, ":"},
  };
  for (const auto& c : cases) {
    const QtHourFormat f = ReadQtTimeFormat(c.qt);
    EXPECT_TRUE(f.hasHour) << c.qt;
    EXPECT_EQ(f.leadingZero, c.leadingZero) << c.qt;
    EXPECT_EQ(f.twelveHour, c.twelveHour) << c.qt;
    EXPECT_EQ(f.markerFirst, c.markerFirst) << c.qt;
    EXPECT_EQ(f.separator, c.separator) << c.qt;
  }
  EXPECT_FALSE(ReadQtTimeFormat("mm:ss").hasHour);
}

TEST(QtLocaleSource, NeutralAndUnknownLocalesGiveTheFrenchDefaults) {
  for (const char* name : {"", "C", "POSIX", "C.UTF-8", "C.utf8", "xx_YY.UTF-8", "@"}) {
    const DateLocale read = ReadDateLocale(QtLocaleSource(name));
    EXPECT_EQ(read.MonthNames[1], "Février") << name;
    EXPECT_EQ(read.LongDatePattern, "mmmm d, yyyy") << name;
    EXPECT_EQ(read.LongTimePattern, "h:mm:ss AMPM") << name;
  }
}

const TDateTime kMoment = MakeDate(2005, 2, 7) + (14 * 3600 + 5 * 60 + 9) / 86400.0;

// French and American English from Qt's own data, as the program shows them: the names, the
// date and time patterns and their separators through the formatter, the number separators
// as they are.
TEST(QtLocaleSource, ReadsFrenchAndAmericanEnglishFromQtsOwnData) {
  const struct {
    const char* name;
    const char* longDate;
    const char* shortDate;
    const char* clock;
    char32_t decimal;
    const char* thousands;
  } cases[] = {
      {"fr_FR.UTF-8", "lun. lundi 7 février 2005 (août)", "07/02/2005 14:05", "14:05:09", U',',
       "\u202F"},
      {"en_US.UTF-8@x", "Mon Monday, February 7, 2005 (August)", "2/7/05 2:05 PM", "2:05:09 PM",
       U'.', ","},
  };
  for (const auto& c : cases) {
    const DateLocale l = ReadDateLocale(QtLocaleSource(c.name));
    EXPECT_EQ(FormatDateValue("ddd dddddd", kMoment, l) + " (" + l.MonthNames[7] + ")", c.longDate);
    EXPECT_EQ(FormatDateValue("ddddd t", kMoment, l), c.shortDate);
    EXPECT_EQ(ClockText(kMoment, l), c.clock);
    EXPECT_EQ(l.DecimalSep, c.decimal) << c.name;
    EXPECT_EQ(l.ThousandSep, c.thousands) << c.name;
  }
}

// The program reads the locale texts from the table made at build time: for every locale Qt
// knows, by its name, its language alone and the forms users' settings give, and for names Qt
// does not know, the table reads what Qt reads.
TEST(LocaleTable, ReadsWhatQtReadsForEveryLocale) {
  std::vector<std::string> names = {"",
                                    "C.UTF-8",
                                    "xx_YY.UTF-8",
                                    "fr_XX",
                                    "fr-CA",
                                    "de_DE@euro",
                                    "sr_RS@latin",
                                    "en_US.UTF-8@x",
                                    "zh_TW.UTF-8",
                                    "pt_BR.utf8",
                                    "no_NO",
                                    "@"};
  for (const QLocale& locale :
       QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
    const std::string name = locale.name().toStdString();
    names.insert(names.end(), {name, name + ".UTF-8", name.substr(0, name.find('_'))});
  }
  ASSERT_GT(names.size(), 500u);
  const std::span<const LocaleTableEntry> table = BuiltLocaleTable();
  for (const std::string& name : names) {
    const QtLocaleSource qt(name);
    const std::unique_ptr<LocaleSource> read = TableLocaleSource(name, table);
    for (const LocaleField& field : LocaleFields()) {
      EXPECT_EQ(read->Item(field.item, field.index), qt.Item(field.item, field.index))
          << name << " item " << static_cast<int>(field.item) << "/" << field.index;
    }
  }
}

}  // namespace
}  // namespace dorvane::platform
