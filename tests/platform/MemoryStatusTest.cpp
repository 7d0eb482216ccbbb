#include <string>

#include <gtest/gtest.h>

#include "platform/MemoryStatus.h"

namespace dorvane::platform {
namespace {

struct MeminfoCase {
  const char* name;
  std::string text;
  MemoryFigures expected;
};

TEST(MemoryStatus, FiguresOfMeminfoTexts) {
  const MeminfoCase cases[] = {
      {"ordinary",
       "MemTotal:       16000000 kB\nMemFree:         1000000 kB\n"
       "MemAvailable:   10000000 kB\nBuffers:          200000 kB\n",
       {16000000ull * 1024, 38}},  // 6000000 of 16000000 in use: 37.5 rounds up
      {"24 GiB, nothing available",
       "MemTotal:       25165824 kB\nMemAvailable:          0 kB\n",
       {25165824ull * 1024, 100}},
      {"all available", "MemTotal: 1000 kB\nMemAvailable: 1000 kB\n", {1024000, 0}},
      {"available above total", "MemTotal: 1000 kB\nMemAvailable: 5000 kB\n", {1024000, 0}},
      {"old kernel without MemAvailable",
       "MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\nCached: 250 kB\n",
       {1024000, 60}},
      {"old kernel, no Buffers or Cached", "MemTotal: 1000 kB\nMemFree: 100 kB\n", {1024000, 90}},
      // 2^64 - 50 + 100 would wrap to 50 and give a load of 95 %.
      {"old kernel, absurd figures",
       "MemTotal: 1000 kB\nMemFree: 18446744073709551566 kB\nBuffers: 100 kB\n",
       {1024000, 0}},
      {"no load figures at all", "MemTotal: 1000 kB\n", {1024000, 0}},
      {"keys in another order, tabs, no final newline",
       "MemAvailable:\t250 kB\nSwapTotal: 9 kB\nMemTotal:\t1000 kB",
       {1024000, 75}},
      // A key that only begins like another is not it.
      {"look-alike keys",
       "MemTotalX: 5 kB\nMemTotal: 1000 kB\nMemAvailableY: 1 kB\n"
       "MemAvailable: 500 kB\n",
       {1024000, 50}},
      {"empty", "", {0, 0}},
      {"no total", "MemFree: 100 kB\nMemAvailable: 100 kB\n", {0, 0}},
      {"zero total", "MemTotal: 0 kB\nMemAvailable: 0 kB\n", {0, 0}},
      {"garbled total", "MemTotal: lots kB\nMemAvailable: 100 kB\n", {0, 0}},
      {"total too large for a count", "MemTotal: 99999999999999999999 kB\n", {0, 0}},
      {"total too large for bytes", "MemTotal: 18014398509481984 kB\n", {0, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MemoryFiguresOfMeminfo(c.text), c.expected) << c.name;
  }
}

TEST(MemoryStatus, TheSystemReportsThisMachine) {
  const MemoryFigures f = SystemMemoryStatus().Query();
  EXPECT_GE(f.totalPhysicalBytes, 16ull * 1024 * 1024);
  EXPECT_EQ(f.totalPhysicalBytes % 1024, 0u);
  EXPECT_GE(f.memoryLoad, 0);
  EXPECT_LE(f.memoryLoad, 100);
}

}  // namespace
}  // namespace dorvane::platform
