#include "controls/FocusableControl.h"

#include <algorithm>

namespace dorvane {

FocusableControl::~FocusableControl() {
  // Observers usually unregister while being told; work on a detached list.
  const std::vector<RemovalObserver*> observers = std::move(observers_);
  observers_.clear();
  for (RemovalObserver* observer : observers) observer->ComponentRemoved(*this);
}

void FocusableControl::FreeNotification(RemovalObserver& observer) {
  if (std::find(observers_.begin(), observers_.end(), &observer) == observers_.end()) {
    observers_.push_back(&observer);
  }
}

void FocusableControl::RemoveFreeNotification(RemovalObserver& observer) {
  std::erase(observers_, &observer);
}

}  // namespace dorvane
