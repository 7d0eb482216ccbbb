#pragma once

#include <cstdint>
#include <string_view>

namespace dorvane::platform {

// Two figures about the machine's memory, read at one moment.
struct MemoryFigures {
  std::uint64_t totalPhysicalBytes = 0;
  int memoryLoad = 0;  // share of physical memory in use, 0 to 100
  friend bool operator==(const MemoryFigures&, const MemoryFigures&) = default;
};

class MemoryStatus {
 public:
  virtual ~MemoryStatus() = default;
  // Never fails: figures that cannot be read are 0.
  virtual MemoryFigures Query() const = 0;
};

// The machine's memory, from /proc/meminfo.
const MemoryStatus& SystemMemoryStatus();

// The memory status the program reads: the system's unless a test or tool put another in place.
const MemoryStatus& ActiveMemoryStatus();

// The figures of a /proc/meminfo text: MemTotal, and the load from MemAvailable (or, on kernels
// that lack it, from MemFree + Buffers + Cached), rounded to the nearest whole percent.
MemoryFigures MemoryFiguresOfMeminfo(std::string_view text);

// Fixed figures, for tests and tools.
class FixedMemoryStatus final : public MemoryStatus {
 public:
  explicit FixedMemoryStatus(const MemoryFigures& f) : f_(f) {}
  MemoryFigures Query() const override { return f_; }
  void Set(const MemoryFigures& f) { f_ = f; }

 private:
  MemoryFigures f_;
};

}  // namespace dorvane::platform
