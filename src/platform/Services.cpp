#include "platform/Services.h"

#include <utility>

namespace dorvane::platform {

namespace {

Services g_services;

// The service put in place, or the system's own.
template <typename Service>
Service& Either(Service* swapped, Service& own) {
  return swapped != nullptr ? *swapped : own;
}

}  // namespace

const Services& ActiveServices() {
  return g_services;
}

Services Overlay(Services base, Services overrides) {
  const auto take = [](auto& to, auto& from) {
    if (from) to = std::move(from);
  };
  take(base.clock, overrides.clock);
  take(base.files, overrides.files);
  take(base.registry, overrides.registry);
  take(base.settings, overrides.settings);
  take(base.libraries, overrides.libraries);
  take(base.memory, overrides.memory);
  take(base.process, overrides.process);
  take(base.system, overrides.system);
  take(base.locale, overrides.locale);
  take(base.beep, overrides.beep);
  take(base.failureSink, overrides.failureSink);
  return base;
}

Services ReplaceServices(Services services) {
  return std::exchange(g_services, std::move(services));
}

const Clock& ActiveClock() {
  return Either(g_services.clock, SystemClock());
}
FileSystem& ActiveFiles() {
  return Either(g_services.files, SystemFiles());
}
const Registry& ActiveRegistry() {
  return Either(g_services.registry, SystemRegistry());
}
DynamicLibraries& ActiveLibraries() {
  return Either(g_services.libraries, SystemLibraries());
}
const MemoryStatus& ActiveMemoryStatus() {
  return Either(g_services.memory, SystemMemoryStatus());
}
const ProcessInfo& ActiveProcess() {
  return Either(g_services.process, SystemProcess());
}
const SystemInfo& ActiveSystemInfo() {
  return Either(g_services.system, SystemSystemInfo());
}

}  // namespace dorvane::platform
