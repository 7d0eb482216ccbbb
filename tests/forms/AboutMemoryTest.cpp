#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "forms/AboutMemory.h"

namespace dorvane {
namespace {

// With " " the physical memory line's rows below show the grouping; here other separators.
TEST(AboutMemory, GroupsDigitsByThree) {
  const struct {
    std::uint64_t n;
    const char* sep;
    const char* text;
  } cases[] = {
      {1234567, ",", "1,234,567"},
      {25165824, "\u202F", "25\u202F165\u202F824"},  // French narrow no-break space
      {1234567, "", "1234567"},
      {18446744073709551615ull, "'", "18'446'744'073'709'551'615"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GroupedNumberText(c.n, c.sep), c.text) << c.n;
  }
}

TEST(AboutMemory, PhysicalMemoryLine) {
  const struct {
    std::uint64_t bytes;
    const char* text;
  } cases[] = {
      {268435456, "Mémoire physique totale : 262 144 Ko"},
      // The largest 32-bit count, 4,194,303.999 Ko, rounds up.
      {4294967295ull, "Mémoire physique totale : 4 194 304 Ko"},
      // Beyond 32 bits: 24 GiB.
      {24ull << 30, "Mémoire physique totale : 25 165 824 Ko"},
      // A half goes up, less than a half down.
      {1024 + 512, "Mémoire physique totale : 2 Ko"},
      {1024 + 511, "Mémoire physique totale : 1 Ko"},
      {0, "Mémoire physique totale : 0 Ko"},
      // No overflow at the top of the range: 2^54 Ko.
      {18446744073709551615ull, "Mémoire physique totale : 18 014 398 509 481 984 Ko"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PhysicalMemoryText(c.bytes, " "), c.text) << c.bytes;
  }
}

TEST(AboutMemory, FreeShareLine) {
  const struct {
    int load;
    const char* text;
  } cases[] = {
      {63, "Ressources système      : 37% libre."}, {0, "Ressources système      : 100% libre."},
      {100, "Ressources système      : 0% libre."}, {-5, "Ressources système      : 100% libre."},
      {250, "Ressources système      : 0% libre."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FreeMemoryText(c.load), c.text) << c.load;
  }
}

}  // namespace
}  // namespace dorvane
