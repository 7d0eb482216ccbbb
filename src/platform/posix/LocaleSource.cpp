#include "platform/LocaleSource.h"

#include <cstdlib>

namespace dorvane::platform {

std::string UserLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return {};
}

bool IsNeutralLocaleName(std::string_view name) {
  const std::string_view base = name.substr(0, name.find_first_of(".@"));
  return base.empty() || base == "C" || base == "POSIX";
}

}  // namespace dorvane::platform
