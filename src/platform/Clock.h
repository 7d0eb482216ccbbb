#pragma once

#include <cstdint>

namespace dorvane::platform {

// The local date and time of day, as the system clock gives them.
struct LocalTime {
  std::uint16_t year = 0;
  std::uint16_t month = 0;
  std::uint16_t day = 0;
  std::uint16_t hour = 0;
  std::uint16_t minute = 0;
  std::uint16_t second = 0;
  std::uint16_t millisecond = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() const = 0;
};

// The machine's clock, in the local time zone.
const Clock& SystemClock();

// The clock the program reads: the system clock unless a test or tool put another in place.
const Clock& ActiveClock();

// A clock standing still at a given moment, for tests and tools.
class FixedClock final : public Clock {
 public:
  explicit FixedClock(const LocalTime& t) : t_(t) {}
  LocalTime Now() const override { return t_; }
  void Set(const LocalTime& t) { t_ = t; }

 private:
  LocalTime t_;
};

}  // namespace dorvane::platform
