#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <memory>
#include <string>

#include "QtTestApp.h"
#include "dates/Formatting.h"
#include "platform/MemoryStatus.h"
#include "platform/Services.h"
#include "qt/AboutWindow.h"
#include "qt/MainWindow.h"
#include "qt/StatusBar.h"

namespace dorvane {
namespace {

using testing::ClockOverride;
using testing::TestApp;

// The main window with a fixed clock and memory, its beeps counted.
class AboutCommandTest : public ::testing::Test {
 protected:
  AboutCommandTest() : clock_({2005, 3, 7, 8, 0, 0, 0}) {
    TestApp();
    form1_ = std::make_unique<MainWindow>();
  }
  ~AboutCommandTest() override { form1_.reset(); }

  std::string Clock() { return form1_->Controls().Get<TStatusBar>("StatusBar1")->PanelText(2); }

  // Triggers the About menu item. `whileOpen` runs inside the dialog's modal loop; `closeAfterMs`
  // later the dialog is closed whatever happened, so the loop never waits for a user.
  void OpenAbout(const std::function<void(AboutWindow&)>& whileOpen, int closeAfterMs = 0) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<AboutWindow*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      seen = true;
      whileOpen(*dialog);
    });
    QTimer::singleShot(closeAfterMs, [] {
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    form1_->Controls().Get<QAction>("Aproposde1")->trigger();
    EXPECT_TRUE(seen) << "the About dialog did not open";
  }

  ClockOverride clock_;
  platform::FixedMemoryStatus memory_{platform::MemoryFigures{8ull << 30, 25}};
  int beeps_ = 0;
  platform::ServicesScope services_{{.memory = &memory_, .beep = [this] { ++beeps_; }}};
  std::unique_ptr<MainWindow> form1_;
};

TEST_F(AboutCommandTest, TheMenuItemShowsTheDialogOverTheMainWindow) {
  form1_->show();
  OpenAbout([&](AboutWindow& dialog) {
    EXPECT_EQ(dialog.Controls().Text("Label1"), "Dorvane");
    EXPECT_EQ(dialog.parentWidget(), form1_.get());
    EXPECT_EQ(dialog.windowModality(), Qt::ApplicationModal);
    // Centred on the screen, not on the main window.
    const QPoint centre = dialog.screen()->availableGeometry().center();
    EXPECT_LE((dialog.frameGeometry().center() - centre).manhattanLength(), 2);
    EXPECT_EQ(beeps_, 1);
  });
  EXPECT_EQ(beeps_, 1);
  EXPECT_TRUE(form1_->findChildren<AboutWindow*>().isEmpty()) << "the dialog outlived its showing";
}

TEST_F(AboutCommandTest, TheClockKeepsTickingWhileTheDialogIsOpen) {
  const std::string before = Clock();
  bool checked = false;
  OpenAbout([&](AboutWindow& dialog) {
    clock_.Set({2005, 3, 7, 9, 30, 15, 0});
    // The one-second timer still runs under the modal dialog, and its tick shows the time.
    testing::Tick(*form1_->Controls().Get<QTimer>("Timer1"));
    checked = true;
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Clock(), ClockText(CurrentMoment()));
    EXPECT_NE(Clock(), before);
  });
  EXPECT_TRUE(checked);
}

}  // namespace
}  // namespace dorvane
