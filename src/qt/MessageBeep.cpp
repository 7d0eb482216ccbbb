#include "qt/MessageBeep.h"

#include <QApplication>

#include "platform/Services.h"

namespace dorvane {

void MessageBeep() {
  if (const auto& sound = platform::ActiveServices().beep) {
    sound();
  } else {
    QApplication::beep();
  }
}

}  // namespace dorvane
