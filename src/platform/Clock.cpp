#include "platform/Clock.h"

#include <ctime>

namespace dorvane::platform {
namespace {

class LinuxClock final : public Clock {
 public:
  LocalTime Now() const override {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    localtime_r(&ts.tv_sec, &tm);
    LocalTime t;
    t.year = static_cast<std::uint16_t>(tm.tm_year + 1900);
    t.month = static_cast<std::uint16_t>(tm.tm_mon + 1);
    t.day = static_cast<std::uint16_t>(tm.tm_mday);
    t.hour = static_cast<std::uint16_t>(tm.tm_hour);
    t.minute = static_cast<std::uint16_t>(tm.tm_min);
    // A leap second reads as the 59th.
    t.second = static_cast<std::uint16_t>(tm.tm_sec > 59 ? 59 : tm.tm_sec);
    t.millisecond = static_cast<std::uint16_t>(ts.tv_nsec / 1000000);
    return t;
  }
};

}  // namespace

const Clock& SystemClock() {
  static const LinuxClock clock;
  return clock;
}

}  // namespace dorvane::platform
