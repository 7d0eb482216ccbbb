#include "platform/LocaleSource.h"
#include "platform/LocaleTable.h"

namespace dorvane::platform {

std::unique_ptr<LocaleSource> UserLocaleSource() {
  return TableLocaleSource(UserLocaleName(), BuiltLocaleTable());
}

}  // namespace dorvane::platform
