#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "QtTestApp.h"
#include "platform/MemoryStatus.h"
#include "platform/Services.h"
#include "qt/AboutWindow.h"
#include "qt/MessageBeep.h"

namespace dorvane {
namespace {

using platform::MemoryFigures;

class ThrowingMemoryStatus final : public platform::MemoryStatus {
 public:
  MemoryFigures Query() const override { throw std::runtime_error("état de la mémoire illisible"); }
};

// The About component's owner, as the main window is: its dialogs stand above nothing.
class QtAboutBoxHost final : public AboutBoxHost {
 public:
  std::unique_ptr<AboutDialog> CreateAboutDialog() override { return AboutWindow::Create(nullptr); }
  void Beep() override { MessageBeep(); }
};

// Counts the beeps and stands in for the machine's memory while a test runs.
class AboutTest : public ::testing::Test {
 protected:
  AboutTest() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
  ~AboutTest() override { QLocale::setDefault(QLocale::system()); }

  void ExecuteAndCheck(TAboutBox& box, const std::function<void(AboutWindow&)>& check) {
    testing::WhileModal<AboutWindow>([&] { box.Execute(); }, check);
  }

  static std::string Text(const QLabel* label) { return label->text().toStdString(); }
  static QLabel* Label(const AboutWindow& dialog, std::string_view name) {
    return dialog.Controls().Get<QLabel>(name);
  }
  template <class Widget = QWidget>
  static Widget* Control(const AboutWindow& dialog, std::string_view name) {
    return dialog.Controls().Get<Widget>(name);
  }

  QtAboutBoxHost host;
  int beeps = 0;
  platform::FixedMemoryStatus memory{MemoryFigures{268435456, 63}};
  platform::ServicesScope services{{.memory = &memory, .beep = [this] { ++beeps; }}};
};

TEST_F(AboutTest, ExecuteShowsAModalDialogWithPlainTextsThatGoesAway) {
  TAboutBox box(host);
  box.SetProductName("<b>Dorvane</b>");
  QPointer<AboutWindow> shown;
  ExecuteAndCheck(box, [&](AboutWindow& dialog) {
    shown = &dialog;
    EXPECT_EQ(Label(dialog, "Label1")->textFormat(), Qt::PlainText);  // never read as markup
    EXPECT_EQ(Text(Label(dialog, "Label1")), "<b>Dorvane</b>");
    EXPECT_TRUE(dialog.isModal());
  });
  EXPECT_EQ(beeps, 1);  // the form's beep reaches the machine's
  EXPECT_TRUE(shown.isNull()) << "the dialog outlived its showing";
}

// The rule is the form's; here no half-made window may be left behind.
TEST_F(AboutTest, FailureWhileCreatingLeavesNoDialogBehind) {
  ThrowingMemoryStatus failing;
  const platform::ServicesScope failingMemory({.memory = &failing});
  TAboutBox box(host);
  bool shown = false;
  testing::WhileModal<AboutWindow>([&] { EXPECT_NO_THROW(box.Execute()); },
                                   [&](AboutWindow&) { shown = true; }, false);
  EXPECT_FALSE(shown);
  for (QWidget* w : QApplication::topLevelWidgets()) {
    EXPECT_EQ(qobject_cast<AboutWindow*>(w), nullptr) << "a dialog is left behind";
  }
}

}  // namespace
}  // namespace dorvane
