#pragma once

#include "platform/Clock.h"
#include "platform/Services.h"

namespace dorvane::testing {

// Puts a fixed clock in place for as long as it lives.
class ClockOverride {
 public:
  explicit ClockOverride(const platform::LocalTime& t) : clock_(t) {}

  void Set(const platform::LocalTime& t) { clock_.Set(t); }

 private:
  platform::FixedClock clock_;
  platform::ServicesScope services_{{.clock = &clock_}};
};

}  // namespace dorvane::testing
