#pragma once

#include <vector>

namespace dorvane {

class FocusableControl;

// Told when a control it registered with is being destroyed, so that it can drop its
// reference before the control goes away.
class RemovalObserver {
 public:
  virtual void ComponentRemoved(const FocusableControl& control) = 0;

 protected:
  ~RemovalObserver() = default;
};

// A windowed control that another control may hand the keyboard focus to (a label's
// FocusControl) without owning it.
class FocusableControl {
 public:
  FocusableControl() = default;
  FocusableControl(const FocusableControl&) = delete;
  FocusableControl& operator=(const FocusableControl&) = delete;
  // Sends the destruction notice to every registered observer.
  virtual ~FocusableControl();

  // False when the control, or one of its parents up to its window, is hidden or disabled.
  virtual bool CanFocus() const = 0;
  virtual void SetFocus() = 0;

  // Registers for the destruction notice; registering twice keeps one registration.
  void FreeNotification(RemovalObserver& observer);
  void RemoveFreeNotification(RemovalObserver& observer);

 private:
  std::vector<RemovalObserver*> observers_;
};

}  // namespace dorvane
