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

}  // namespace dorvane::platform
