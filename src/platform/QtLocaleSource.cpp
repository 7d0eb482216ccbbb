#include "platform/QtLocaleSource.h"

#include "platform/LocaleFormats.h"

#include <QLocale>
#include <QString>

#include "platform/QtText.h"

namespace dorvane::platform {
QtLocaleSource::QtLocaleSource(std::string_view localeName) {
  if (IsNeutralLocaleName(localeName)) return;
  const std::string_view base = localeName.substr(0, localeName.find_first_of(".@"));
  const QLocale locale(QStringFromUtf8(base));
  if (locale.language() == QLocale::C) return;  // a name Qt does not know

  auto put = [&](LocaleItem item, int index, std::string text) {
    if (!text.empty()) items_[{item, index}] = std::move(text);
  };
  for (int m = 1; m <= 12; ++m) {
    put(LocaleItem::MonthName, m, Utf8FromQString(locale.standaloneMonthName(m, QLocale::LongFormat)));
    put(LocaleItem::MonthAbbrev, m, Utf8FromQString(locale.standaloneMonthName(m, QLocale::ShortFormat)));
  }
  for (int d = 1; d <= 7; ++d) {  // Qt counts from Monday, as the items do
    put(LocaleItem::DayName, d, Utf8FromQString(locale.standaloneDayName(d, QLocale::LongFormat)));
    put(LocaleItem::DayAbbrev, d, Utf8FromQString(locale.standaloneDayName(d, QLocale::ShortFormat)));
  }
  const std::string shortDate = Utf8FromQString(locale.dateFormat(QLocale::ShortFormat));
  put(LocaleItem::ShortDatePattern, 0, PatternFromQtDateFormat(shortDate));
  put(LocaleItem::LongDatePattern, 0,
      PatternFromQtDateFormat(Utf8FromQString(locale.dateFormat(QLocale::LongFormat))));
  put(LocaleItem::DateSeparator, 0, FirstSeparator(shortDate));
  put(LocaleItem::MorningMark, 0, Utf8FromQString(locale.amText()));
  put(LocaleItem::EveningMark, 0, Utf8FromQString(locale.pmText()));
  put(LocaleItem::DecimalSeparator, 0, Utf8FromQString(locale.decimalPoint()));

  const std::string timeFormat = Utf8FromQString(locale.timeFormat(QLocale::ShortFormat));
  const QtHourFormat hours = ReadQtTimeFormat(timeFormat);
  put(LocaleItem::TimeSeparator, 0, hours.separator);
  if (!hours.hasHour) return;
  put(LocaleItem::TimeLeadingZero, 0, hours.leadingZero ? "1" : "0");
  put(LocaleItem::TimeFormat, 0, hours.twelveHour ? "0" : "1");
  put(LocaleItem::TimeMarkerPosition, 0, hours.markerFirst ? "1" : "0");
}

std::optional<std::string> QtLocaleSource::Item(LocaleItem item, int index) const {
  const auto it = items_.find({item, index});
  if (it == items_.end()) return std::nullopt;
  return it->second;
}

std::unique_ptr<LocaleSource> UserLocaleSource() {
  return std::make_unique<QtLocaleSource>(UserLocaleName());
}

}  // namespace dorvane::platform
