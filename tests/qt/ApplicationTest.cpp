#include <gtest/gtest.h>

#include <QEvent>
#include <QMessageBox>
#include <QWidget>

#include <stdexcept>
#include <string>

#include "QtTestApp.h"
#include "dates/ConvertError.h"

namespace dorvane {
namespace {

using testing::ErrorBoxRecorder;
using testing::TestApp;

TEST(ApplicationTest, MouseCaptureIsCancelledBeforeTheBox) {
  TestApp();
  ErrorBoxRecorder box;
  QWidget window;
  window.show();
  window.grabMouse();
  ASSERT_EQ(QWidget::mouseGrabber(), &window);
  QWidget* grabberDuringBox = &window;
  TestApp().SetErrorBox([&](const std::string&) { grabberDuringBox = QWidget::mouseGrabber(); });
  RunHandler([] { throw std::runtime_error("x"); });
  EXPECT_EQ(grabberDuringBox, nullptr);
}

// The focus coming back after the box is the window scenarios' (the search dialog's errors).
TEST(ApplicationTest, TheBoxIsAStopBoxWithOneOkButton) {
  TApplication& app = TestApp();
  app.SetTitle("Dorvane");
  app.SetErrorBox(nullptr);
  testing::WhileModal<QMessageBox>(
      [] {
        RunHandler([] { throw EConvertError("'<b>1' n'est pas une valeur entière correcte"); });
      },
      [](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), "Dorvane");
        // What the user typed is shown as it stands, never read as markup.
        EXPECT_EQ(box.text(), "'<b>1' n'est pas une valeur entière correcte.");
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        EXPECT_EQ(box.icon(), QMessageBox::Critical);
        EXPECT_EQ(box.buttons().size(), 1);
        EXPECT_EQ(box.windowModality(), Qt::ApplicationModal);
      });
  app.SetErrorBox(testing::UnexpectedErrorBox);
}

TEST(ApplicationTest, LocaleChangeNoticeReloadsTheLocale) {
  TApplication& app = TestApp();
  int reloads = 0;
  app.SetOnLocaleChange([&reloads] { ++reloads; });
  QEvent change(QEvent::LocaleChange);
  QCoreApplication::sendEvent(&app, &change);
  app.SetOnLocaleChange(nullptr);
  EXPECT_EQ(reloads, 1);
}

TEST(ApplicationTest, QtsOwnTextsAreFrench) {
  TApplication& app = TestApp();
  ASSERT_TRUE(app.LoadFrenchTranslations());
  EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Paste"), "Co&ller");
  EXPECT_EQ(QCoreApplication::translate("QLineEdit", "Select All"), "Tout sélectionner");
}

}  // namespace
}  // namespace dorvane
