#include "cli/Modules.h"

#include "dates/DateLocale.h"
#include "help/hh.h"
#include "help/hh_funcs.h"
#include "platform/LocaleSource.h"

namespace dorvane {

std::string StartModules() {
  ReloadDateLocale();
  LoadHelpViewer();
  return ProbeHelpEnvironment().reportNote;
}

void ReloadDateLocale() {
  LoadDateLocale(*platform::UserLocaleSource());
}

void StopModules() {
  UnloadHelpViewer();
}

}  // namespace dorvane
