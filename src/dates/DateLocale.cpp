#include "dates/DateLocale.h"

#include "dates/Numbers.h"
#include "platform/Services.h"
#include "text/Utf8.h"

namespace dorvane {
namespace {

DateLocale& Storage() {
  static DateLocale locale;
  return locale;
}

}  // namespace

const DateLocale& CurrentDateLocale() {
  const DateLocale* swapped = platform::ActiveServices().locale;
  return swapped != nullptr ? *swapped : Storage();
}

void SetDateLocale(const DateLocale& locale) {
  Storage() = locale;
}

DateLocale ReadDateLocale(const platform::LocaleSource& source) {
  using platform::LocaleItem;
  DateLocale locale;
  auto read = [&](LocaleItem item, int index, std::string& field) {
    if (auto text = source.Item(item, index); text && !text->empty()) field = std::move(*text);
  };
  auto readChar = [&](LocaleItem item, char32_t& field) {
    if (auto text = source.Item(item, 0); text && !text->empty()) field = FirstCodePoint(*text);
  };
  // A number item reads as 0 when it is not a whole number; without data it keeps `fallback`.
  auto readNumber = [&](LocaleItem item, std::int32_t fallback) {
    const auto text = source.Item(item, 0);
    return text ? TryParseWholeNumber(*text).value_or(0) : fallback;
  };

  for (int m = 1; m <= 12; ++m) {
    const auto i = static_cast<std::size_t>(m - 1);
    read(LocaleItem::MonthAbbrev, m, locale.MonthAbbrevs[i]);
    read(LocaleItem::MonthName, m, locale.MonthNames[i]);
  }
  // The locale's lists start on Monday, ours on Sunday.
  for (int d = 1; d <= 7; ++d) {
    const auto i = static_cast<std::size_t>(d % 7);
    read(LocaleItem::DayAbbrev, d, locale.DayAbbrevs[i]);
    read(LocaleItem::DayName, d, locale.DayNames[i]);
  }
  read(LocaleItem::ShortDatePattern, 0, locale.ShortDatePattern);
  read(LocaleItem::LongDatePattern, 0, locale.LongDatePattern);
  readChar(LocaleItem::DateSeparator, locale.DateSep);
  readChar(LocaleItem::TimeSeparator, locale.TimeSep);
  read(LocaleItem::MorningMark, 0, locale.MorningMark);
  read(LocaleItem::EveningMark, 0, locale.EveningMark);
  readChar(LocaleItem::DecimalSeparator, locale.DecimalSep);
  read(LocaleItem::ThousandSeparator, 0, locale.ThousandSep);

  const std::string hour = readNumber(LocaleItem::TimeLeadingZero, 0) != 0 ? "hh" : "h";
  const bool twelveHour = readNumber(LocaleItem::TimeFormat, 0) == 0;
  const bool markerFirst = readNumber(LocaleItem::TimeMarkerPosition, 0) != 0;
  const std::string before = twelveHour && markerFirst ? "AMPM " : "";
  const std::string after = twelveHour && !markerFirst ? " AMPM" : "";
  locale.ShortTimePattern = before + hour + ":mm" + after;
  locale.LongTimePattern = before + hour + ":mm:ss" + after;
  return locale;
}

void LoadDateLocale(const platform::LocaleSource& source) {
  SetDateLocale(ReadDateLocale(source));
}

}  // namespace dorvane
