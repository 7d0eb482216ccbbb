#include "qt/MessageBeep.h"

#include <QApplication>
#include <utility>

namespace dorvane {

namespace {

std::function<void()>& Sound() {
  static std::function<void()> sound;
  return sound;
}

}  // namespace

void MessageBeep() {
  if (Sound()) {
    Sound()();
  } else {
    QApplication::beep();
  }
}

void SetMessageBeep(std::function<void()> sound) {
  Sound() = std::move(sound);
}

}  // namespace dorvane
