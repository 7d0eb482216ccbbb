#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace dorvane::platform {

// The locale items that the date texts are read from.
enum class LocaleItem {
  MonthName,         // index 1 = January ... 12
  MonthAbbrev,       // index 1 = January ... 12
  DayName,           // index 1 = Monday ... 7 = Sunday
  DayAbbrev,         // index 1 = Monday ... 7 = Sunday
  ShortDatePattern,  // in this program's pattern language
  LongDatePattern,   // in this program's pattern language
  DateSeparator,
  TimeSeparator,
  MorningMark,
  EveningMark,
  DecimalSeparator,
  ThousandSeparator,
  TimeLeadingZero,     // a number: non-zero when hours take a leading zero
  TimeFormat,          // a number: 0 for a 12-hour clock, 1 for a 24-hour clock
  TimeMarkerPosition,  // a number: non-zero when the morning/evening mark comes first
};

// Where the user's locale texts come from.
class LocaleSource {
 public:
  virtual ~LocaleSource() = default;
  // The item as UTF-8 text, or nothing when the locale has no data for it.
  virtual std::optional<std::string> Item(LocaleItem item, int index = 0) const = 0;
};

// A locale without data: every text takes its default.
class EmptyLocaleSource final : public LocaleSource {
 public:
  std::optional<std::string> Item(LocaleItem, int) const override { return std::nullopt; }
};

// The user's locale as the system gives it: on Windows the thread's locale, reset to the user's
// default first (GetLocaleInfoW); on Linux Qt's data, as the program's table holds it
// (LocaleTable.h), for the locale named by UserLocaleName.
std::unique_ptr<LocaleSource> UserLocaleSource();

// The name of the locale the user chose for dates and times: the first of LC_ALL, LC_TIME
// and LANG that is set and not empty; empty when none is.
std::string UserLocaleName();

// "C", "POSIX" and their variants ("C.UTF-8") name no language: they carry no texts.
bool IsNeutralLocaleName(std::string_view name);

}  // namespace dorvane::platform
