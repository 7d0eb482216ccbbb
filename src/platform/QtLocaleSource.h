#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "platform/LocaleSource.h"

namespace dorvane::platform {

// The locale texts of a named locale ("fr_FR.UTF-8", "en_US") from Qt's locale data. A neutral
// or unknown name gives no items, so every text takes its default.
class QtLocaleSource final : public LocaleSource {
 public:
  explicit QtLocaleSource(std::string_view localeName);
  std::optional<std::string> Item(LocaleItem item, int index = 0) const override;

 private:
  std::map<std::pair<LocaleItem, int>, std::string> items_;
};

// The source of the user's locale (UserLocaleName).
std::unique_ptr<LocaleSource> UserLocaleSource();

// A Qt date format ("dddd d MMMM yyyy") in this program's pattern language ("dddd d mmmm
// yyyy"). Literal text, quoted or not, comes out quoted where our language would read it.
std::string PatternFromQtDateFormat(std::string_view qtFormat);

// What a Qt time format ("HH:mm:ss", "h:mm AP") says about the hours.
struct QtHourFormat {
  bool hasHour = false;  // the other fields say nothing without an hour token
  bool leadingZero = false;
  bool twelveHour = false;
  bool markerFirst = false;
  std::string separator;  // the first separator of the format, or empty
};
QtHourFormat ReadQtTimeFormat(std::string_view qtFormat);

}  // namespace dorvane::platform
