#pragma once

#include <string>
#include <vector>

#include "calendar/CalendarHost.h"

namespace dorvane::testing {

// A window that records what the grid asks of it.
class FakeHost : public CalendarHost {
 public:
  std::vector<Rect> invalidated;
  int invalidateAllCount = 0;
  bool active = false;
  bool refuseFocus = false;
  int releaseCount = 0;
  int timerInterval = 0;  // 0 while stopped
  int cellNotices = 0;    // CurrentCellChanged

  void InvalidateAll() override { ++invalidateAllCount; }
  void InvalidateRect(const Rect& rect) override { invalidated.push_back(rect); }
  void BorderChanged() override {}
  void SetFocus() override {
    if (!refuseFocus) active = true;
  }
  bool IsActiveControl() const override { return active; }
  void CapturePointer() override {}
  void ReleasePointer() override { ++releaseCount; }
  void StartRepeatTimer(int milliseconds) override { timerInterval = milliseconds; }
  void StopRepeatTimer() override { timerInterval = 0; }
  void CurrentCellChanged() override { ++cellNotices; }
};

}  // namespace dorvane::testing
