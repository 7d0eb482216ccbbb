#pragma once

#include <exception>
#include <functional>

#include "platform/Clock.h"
#include "platform/DynamicLibrary.h"
#include "platform/Files.h"
#include "platform/MemoryStatus.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/Settings.h"
#include "platform/SystemInfo.h"

namespace dorvane {
struct DateLocale;  // the locale texts (src/dates), held here by pointer only
}  // namespace dorvane

namespace dorvane::platform {

// Where the failure of an event handler goes (see dialogs/Handlers.h).
using FailureSink = void (*)(std::exception_ptr failure);

// Every process-wide service the program reads, in one place. A null member stands for the
// program's own: the system's clock, files, registry, libraries, memory, process and system
// information, the user's stored choices; the locale texts read from the user's settings; the front
// end's beep; the application's failure sink.
struct Services {
  const Clock* clock = nullptr;
  FileSystem* files = nullptr;
  const Registry* registry = nullptr;
  Settings* settings = nullptr;
  DynamicLibraries* libraries = nullptr;
  const MemoryStatus* memory = nullptr;
  const ProcessInfo* process = nullptr;
  const SystemInfo* system = nullptr;
  const DateLocale* locale = nullptr;
  std::function<void()> beep = {};
  FailureSink failureSink = nullptr;
};

// The services put in place, null members included. ActiveClock(), ActiveFiles() and the
// other Active...() functions of src/platform read them from here.
const Services& ActiveServices();

// Puts `services` in place, all at once, and gives back the ones it replaced.
Services ReplaceServices(Services services);

// `overrides` on top of `base`: each member the overrides set replaces that of the base.
Services Overlay(Services base, Services overrides);

// For tests and tools: the members `overrides` sets are in place for the scope's lifetime, the
// others stay as they are; everything in place before comes back when the scope ends, also
// when a test fails or throws. Scopes nest.
class ServicesScope {
 public:
  explicit ServicesScope(Services overrides)
      : previous_(ReplaceServices(Overlay(ActiveServices(), std::move(overrides)))) {}
  ~ServicesScope() { ReplaceServices(std::move(previous_)); }
  ServicesScope(const ServicesScope&) = delete;
  ServicesScope& operator=(const ServicesScope&) = delete;

 private:
  Services previous_;
};

}  // namespace dorvane::platform
