#include "platform/Clock.h"

#include <windows.h>

namespace dorvane::platform {
namespace {

class Win32Clock final : public Clock {
 public:
  LocalTime Now() const override {
    SYSTEMTIME st{};
    ::GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
  }
};

}  // namespace

const Clock& SystemClock() {
  static const Win32Clock clock;
  return clock;
}

}  // namespace dorvane::platform
