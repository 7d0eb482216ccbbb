#include "platform/MemoryStatus.h"

#include <windows.h>

namespace dorvane::platform {
namespace {

// The 64-bit query: GlobalMemoryStatus caps its total at 4 GiB (or less) and wraps above it.
class Win32MemoryStatus final : public MemoryStatus {
 public:
  MemoryFigures Query() const override {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!::GlobalMemoryStatusEx(&status)) return {};
    return {status.ullTotalPhys, static_cast<int>(status.dwMemoryLoad)};
  }
};

}  // namespace

const MemoryStatus& SystemMemoryStatus() {
  static const Win32MemoryStatus status;
  return status;
}

}  // namespace dorvane::platform
