// The main window and the search dialog on Qt: what the window scenarios cannot see of their
// widgets. The rules themselves are tested on the forms.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include <functional>
#include <memory>
#include <string>

#include "QtTestApp.h"
#include "dates/Formatting.h"
#include "qt/MainWindow.h"
#include "qt/QtCanvas.h"
#include "qt/SearchWindow.h"
#include "qt/StatusBar.h"

namespace dorvane {
namespace {

using testing::ClockOverride;
using testing::TestApp;

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() : clock_({2005, 3, 7, 14, 5, 9, 0}) {
    TestApp();
    form1_ = std::make_unique<MainWindow>();
    form2_ = std::make_unique<SearchWindow>(form1_->View(), form1_->Form().Calendar1());
    form1_->Form().SetSearchDialog(&form2_->Form());
  }
  ~MainFormTest() override { form1_->Form().SetSearchDialog(nullptr); }
  void OpenSearch() { form1_->Form().tlbtnRechercherClick(); }

  // The names of the widgets that `act` has repainted, sorted, once the window is at rest.
  std::string Repainted(const std::function<void()>& act) {
    form1_->show();
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    PaintWatch watch;
    act();
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    watch.painted.sort();
    return watch.painted.join(",").toStdString();
  }

  class PaintWatch : public QObject {
   public:
    PaintWatch() { QCoreApplication::instance()->installEventFilter(this); }
    ~PaintWatch() override { QCoreApplication::instance()->removeEventFilter(this); }
    QStringList painted;

   protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (event->type() == QEvent::Paint) painted << watched->objectName();
      return false;
    }
  };

  ClockOverride clock_;
  std::unique_ptr<MainWindow> form1_;
  std::unique_ptr<SearchWindow> form2_;
};

TEST_F(MainFormTest, RepaintsOnlyWhatChanged) {
  EXPECT_EQ(Repainted([&] {
              clock_.Set({2005, 3, 7, 14, 5, 10, 0});
              form1_->Form().Timer1Timer();
            }),
            "Panel2");
  EXPECT_EQ(Repainted([&] { form1_->Controls().Get<QToolButton>("tlbtnMApres")->click(); }),
            "Calendar1,Panel0,Panel1,RxLabel1,RxLabel2");
}

TEST_F(MainFormTest, StatusBarsLastPanelTakesTheRest) {
  form1_->setFont(ToQFont(Font()));  // the program's font, as its start-up sets it
  form1_->show();
  auto* bar = form1_->Controls().Get<TStatusBar>("StatusBar1");
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->PanelCount(), 3);
  EXPECT_EQ(bar->Panel(2)->geometry().right(), bar->width() - 1);
}

// The fields refuse the Ctrl shortcuts (they would bypass the key filter): their menu names none.
TEST_F(MainFormTest, TheFieldsMenuNamesNoShortcut) {
  OpenSearch();
  auto* edit = form2_->Controls().Get<QLineEdit>("Edit2");
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

TEST_F(MainFormTest, CloseOnlyHidesAndThePositionIsKept) {
  OpenSearch();
  form2_->move(40, 50);
  const QPoint at = form2_->pos();
  form2_->Controls().Get<QPushButton>("Button1")->click();
  EXPECT_FALSE(form2_->isVisible());
  OpenSearch();
  EXPECT_EQ(form2_->pos(), at);
}

}  // namespace
}  // namespace dorvane
