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
    put(LocaleItem::MonthName, m, locale.standaloneMonthName(m, QLocale::LongFormat).toStdString());
    put(LocaleItem::MonthAbbrev, m,
        locale.standaloneMonthName(m, QLocale::ShortFormat).toStdString());
  }
  for (int d = 1; d <= 7; ++d) {  // Qt counts from Monday, as the items do
    put(LocaleItem::DayName, d, locale.standaloneDayName(d, QLocale::LongFormat).toStdString());
    put(LocaleItem::DayAbbrev, d, locale.standaloneDayName(d, QLocale::ShortFormat).toStdString());
  }
  const std::string shortDate = locale.dateFormat(QLocale::ShortFormat).toStdString();
  put(LocaleItem::ShortDatePattern, 0, PatternFromQtDateFormat(shortDate));
  put(LocaleItem::LongDatePattern, 0,
      PatternFromQtDateFormat(locale.dateFormat(QLocale::LongFormat).toStdString()));
  put(LocaleItem::DateSeparator, 0, FirstSeparator(shortDate));
  put(LocaleItem::MorningMark, 0, locale.amText().toStdString());
  put(LocaleItem::EveningMark, 0, locale.pmText().toStdString());
  put(LocaleItem::DecimalSeparator, 0, locale.decimalPoint().toStdString());
  put(LocaleItem::ThousandSeparator, 0, locale.groupSeparator().toStdString());

  const std::string timeFormat = locale.timeFormat(QLocale::ShortFormat).toStdString();
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

}  // namespace dorvane::platform
