#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QtGlobal>

#include <functional>
#include <string>
#include <vector>

#include "ClockOverride.h"
#include "qt/Application.h"

namespace dorvane::testing {

// Outside an ErrorBoxRecorder, an error box is a test failure (and never a modal loop).
inline void UnexpectedErrorBox(const std::string& text) {
  ADD_FAILURE() << "unexpected error box: " << text;
}

// The one application object of a test program, offscreen, created on first use.
inline TApplication& TestApp() {
  static int argc = 1;
  static char name[] = "dorvane-test";
  static char* argv[] = {name, nullptr};
  static TApplication* app = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    auto* created = new TApplication(argc, argv);
    created->SetErrorBox(UnexpectedErrorBox);
    return created;
  }();
  return *app;
}

// Collects the error box's texts instead of opening a modal box, for as long as it lives.
class ErrorBoxRecorder {
 public:
  ErrorBoxRecorder() {
    TestApp().SetErrorBox([this](const std::string& text) { texts.push_back(text); });
  }
  ~ErrorBoxRecorder() { TestApp().SetErrorBox(UnexpectedErrorBox); }
  ErrorBoxRecorder(const ErrorBoxRecorder&) = delete;
  ErrorBoxRecorder& operator=(const ErrorBoxRecorder&) = delete;

  std::vector<std::string> texts;
};

// Runs `open`, which shows a modal Dialog and waits for it; once the dialog is up `check` sees
// it, then any modal window is closed, so that no modal loop is left waiting whatever the check
// finds.
template <class Dialog>
void WhileModal(const std::function<void()>& open, const std::function<void(Dialog&)>& check,
                bool expectDialog = true) {
  bool seen = false;
  QTimer poll;
  poll.setSingleShot(true);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* dialog = qobject_cast<Dialog*>(modal)) {
      seen = true;
      check(*dialog);
    }
    if (modal != nullptr) modal->close();
  });
  poll.start(0);
  open();
  if (expectDialog) {
    EXPECT_TRUE(seen) << "the dialog did not open";
  }
}

}  // namespace dorvane::testing
