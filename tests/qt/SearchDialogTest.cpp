// The search dialog on Qt: its edits, keys, buttons and placement. The order of the checks
// and their messages are tested on the form.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "QtTestApp.h"
#include "qt/MainWindow.h"
#include "qt/SearchWindow.h"

namespace dorvane {
namespace {

using testing::ErrorBoxRecorder;
using testing::TestApp;

class SearchDialogTest : public ::testing::Test {
 protected:
  SearchDialogTest() {
    TestApp();
    main_ = std::make_unique<MainWindow>();
    Grid().SetSelectedDate(kStart);
    form2_ = std::make_unique<SearchWindow>(main_->View(), Grid());
    main_->SetSearchDialog(form2_.get());
  }
  ~SearchDialogTest() override { main_->SetSearchDialog(nullptr); }

  TCalendar& Grid() { return main_->Form().Calendar1(); }
  QLineEdit* Edit(std::string_view name) { return form2_->Controls().Get<QLineEdit>(name); }
  QPushButton* Button(std::string_view name) { return form2_->Controls().Get<QPushButton>(name); }

  void Type(const char* day, const char* month, const char* year) {
    Edit("Edit3")->setText(QString::fromUtf8(day));
    Edit("Edit2")->setText(QString::fromUtf8(month));
    Edit("Edit1")->setText(QString::fromUtf8(year));
  }
  void Open() { main_->Form().tlbtnRechercherClick(); }

  static constexpr TDateTime kStart = 38418;  // 7 March 2005
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<SearchWindow> form2_;
};

// The fields refuse the Ctrl shortcuts (they would bypass the key filter): their menu names none.
TEST_F(SearchDialogTest, TheFieldsMenuNamesNoShortcut) {
  Open();
  QLineEdit* edit = Edit("Edit2");
  emit edit->customContextMenuRequested(QPoint(2, 2));
  QMenu* menu = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* m = qobject_cast<QMenu*>(w); m != nullptr && m->isVisible()) menu = m;
  }
  ASSERT_NE(menu, nullptr);
  int commands = 0;
  for (const QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    ++commands;
    EXPECT_FALSE(action->text().contains(QLatin1String("Ctrl"))) << action->text().toStdString();
  }
  EXPECT_GE(commands, 5);  // undo, redo, cut, copy, paste, delete, select all
  menu->close();
}

TEST_F(SearchDialogTest, CloseOnlyHidesAndThePositionIsKept) {
  Open();
  form2_->move(40, 50);
  const QPoint at = form2_->pos();
  Button("Button1")->click();
  EXPECT_FALSE(form2_->isVisible());
  Open();
  EXPECT_EQ(form2_->pos(), at);
}

}  // namespace
}  // namespace dorvane
