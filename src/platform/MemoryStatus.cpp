#include "platform/MemoryStatus.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "text/Ascii.h"

namespace dorvane::platform {
namespace {

// The value in kibibytes of the line "<key>:   <number> kB", if the text has one.
std::optional<std::uint64_t> MeminfoKib(std::string_view text, std::string_view key) {
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ':') {
      continue;
    }
    std::size_t i = key.size() + 1;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    return ReadLeadingDigits<std::uint64_t>(line, i);
  }
  return std::nullopt;
}

class LinuxMemoryStatus final : public MemoryStatus {
 public:
  MemoryFigures Query() const override {
    std::ifstream in("/proc/meminfo");
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return MemoryFiguresOfMeminfo(text);
  }
};

}  // namespace

MemoryFigures MemoryFiguresOfMeminfo(std::string_view text) {
  MemoryFigures figures;
  const std::optional<std::uint64_t> total = MeminfoKib(text, "MemTotal");
  if (!total || *total == 0 || *total > UINT64_MAX / 1024) return figures;
  figures.totalPhysicalBytes = *total * 1024;

  std::optional<std::uint64_t> available = MeminfoKib(text, "MemAvailable");
  if (!available) {
    const auto free = MeminfoKib(text, "MemFree");
    if (!free) return figures;
    // Summed without wrapping: absurd values saturate, and the memory in use is then none.
    available = *free;
    for (const char* key : {"Buffers", "Cached"}) {
      const std::uint64_t more = MeminfoKib(text, key).value_or(0);
      available = *available > UINT64_MAX - more ? UINT64_MAX : *available + more;
    }
  }
  const std::uint64_t used = *available >= *total ? 0 : *total - *available;
  // In long double: a total near 2^64 KiB must not overflow the product.
  const long double share = static_cast<long double>(used) * 100 / *total;
  figures.memoryLoad = static_cast<int>(share + 0.5L);
  return figures;
}

const MemoryStatus& SystemMemoryStatus() {
  static const LinuxMemoryStatus status;
  return status;
}

}  // namespace dorvane::platform
