// GoogleTest's porting hook, for the win32 thread model of mingw-w64, which has no std::mutex
// or std::condition_variable: GoogleTest's Notification (used only by its own threading tests)
// on an atomic flag instead. GoogleTest's other Windows code paths are its own.
#pragma once

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;
  void Notify() { notified_.store(true); }
  void WaitForNotification() {
    while (!notified_.load()) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing
