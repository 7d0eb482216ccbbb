#pragma once

#include "platform/Clock.h"

namespace dorvane::testing {

// Puts a fixed clock in place for as long as it lives.
class ClockOverride {
 public:
  explicit ClockOverride(const platform::LocalTime& t) : clock_(t) { platform::SetActiveClock(&clock_); }
  ~ClockOverride() { platform::SetActiveClock(nullptr); }
  ClockOverride(const ClockOverride&) = delete;
  ClockOverride& operator=(const ClockOverride&) = delete;

  void Set(const platform::LocalTime& t) { clock_.Set(t); }

 private:
  platform::FixedClock clock_;
};

}  // namespace dorvane::testing
