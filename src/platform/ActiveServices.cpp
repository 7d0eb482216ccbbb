// The services the program reads: the system's own unless a test or tool put others in place.
// The system's are defined by each platform's implementation (posix/, win32/).
#include "platform/Clock.h"
#include "platform/DynamicLibrary.h"
#include "platform/Files.h"
#include "platform/MemoryStatus.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/SystemInfo.h"

namespace dorvane::platform {
namespace {

// One replaceable service: the one put in place, else the system's.
template <typename Service>
struct Active {
  static inline Service* replacement = nullptr;
};

}  // namespace

const Clock& ActiveClock() {
  return Active<const Clock>::replacement ? *Active<const Clock>::replacement : SystemClock();
}
void SetActiveClock(const Clock* clock) { Active<const Clock>::replacement = clock; }

DynamicLibraries& ActiveLibraries() {
  return Active<DynamicLibraries>::replacement ? *Active<DynamicLibraries>::replacement
                                               : SystemLibraries();
}
void SetActiveLibraries(DynamicLibraries* libraries) {
  Active<DynamicLibraries>::replacement = libraries;
}

FileSystem& ActiveFiles() {
  return Active<FileSystem>::replacement ? *Active<FileSystem>::replacement : SystemFiles();
}
void SetActiveFiles(FileSystem* files) { Active<FileSystem>::replacement = files; }

const MemoryStatus& ActiveMemoryStatus() {
  return Active<const MemoryStatus>::replacement ? *Active<const MemoryStatus>::replacement
                                                 : SystemMemoryStatus();
}
void SetActiveMemoryStatus(const MemoryStatus* status) {
  Active<const MemoryStatus>::replacement = status;
}

const ProcessInfo& ActiveProcess() {
  return Active<const ProcessInfo>::replacement ? *Active<const ProcessInfo>::replacement
                                                : SystemProcess();
}
void SetActiveProcess(const ProcessInfo* process) {
  Active<const ProcessInfo>::replacement = process;
}

const Registry& ActiveRegistry() {
  return Active<const Registry>::replacement ? *Active<const Registry>::replacement
                                             : SystemRegistry();
}
void SetActiveRegistry(const Registry* registry) {
  Active<const Registry>::replacement = registry;
}

const SystemInfo& ActiveSystemInfo() {
  return Active<const SystemInfo>::replacement ? *Active<const SystemInfo>::replacement
                                               : SystemSystemInfo();
}
void SetActiveSystemInfo(const SystemInfo* info) { Active<const SystemInfo>::replacement = info; }

}  // namespace dorvane::platform
