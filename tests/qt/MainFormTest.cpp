// The main window on Qt: built from its table, its widgets' events reach the form and the
// form's view operations reach the widgets. The rules themselves are tested on the form.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include <memory>
#include <string>

#include "QtTestApp.h"
#include "dates/Captions.h"
#include "dates/Formatting.h"
#include "dates/Moon.h"
#include "qt/CalendarWidget.h"
#include "qt/Fonts.h"
#include "qt/GroupBox.h"
#include "qt/MainWindow.h"
#include "qt/RxLabelWidget.h"
#include "qt/SearchWindow.h"
#include "qt/StatusBar.h"

namespace dorvane {
namespace {

using testing::ClockOverride;
using testing::ErrorBoxRecorder;
using testing::TestApp;

constexpr platform::LocalTime kMonday{2005, 3, 7, 14, 5, 9, 0};

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() : clock_(kMonday) {
    TestApp();
    form1_ = std::make_unique<MainWindow>();
    form2_ = std::make_unique<SearchWindow>(form1_->View(), Grid());
    form1_->SetSearchDialog(form2_.get());
  }
  ~MainFormTest() override { form1_->SetSearchDialog(nullptr); }

  template <class Widget>
  Widget* Control(std::string_view name) {
    auto* widget = form1_->Controls().Get<Widget>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  TCalendar& Grid() { return form1_->Form().Calendar1(); }
  std::string Banner() { return Control<RxLabelWidget>("RxLabel1")->Label().Caption(); }
  std::string Panel(int i) { return Control<TStatusBar>("StatusBar1")->PanelText(i); }

  ClockOverride clock_;
  std::unique_ptr<MainWindow> form1_;
  std::unique_ptr<SearchWindow> form2_;
};

TEST_F(MainFormTest, StartUpFillsTheWidgetsAndStartsTheClock) {
  EXPECT_EQ(Banner(), MonthBannerText(MakeDate(2005, 3, 7)));
  EXPECT_EQ(Control<RxLabelWidget>("RxLabel2")->Label().Caption(),
            WeekdayLineText(MakeDate(2005, 3, 7)));
  EXPECT_EQ(Panel(1), MoonPhaseLine(MakeDate(2005, 3, 7)));
  EXPECT_EQ(Panel(2), ClockText(CurrentMoment()));
  QTimer* timer = form1_->Controls().Get<QTimer>("Timer1");
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 1000);
}

TEST_F(MainFormTest, ToolButtonsAndMenuItemsReachTheirHandlers) {
  Control<QToolButton>("tlbtnMApres")->click();
  EXPECT_EQ(Grid().SelectedDate(), MakeDate(2005, 4, 7));
  EXPECT_EQ(Banner(), MonthBannerText(MakeDate(2005, 4, 7)));
  form1_->Controls().Get<QAction>("Anneprcdente1")->trigger();
  EXPECT_EQ(Grid().SelectedDate(), MakeDate(2004, 4, 7));
  EXPECT_EQ(Banner(), MonthBannerText(MakeDate(2004, 4, 7)));
}

TEST_F(MainFormTest, AFailingCommandShowsTheBoxAndTheProgramGoesOn) {
  Grid().SetSelectedDate(MakeDate(9999, 6, 15));
  ErrorBoxRecorder box;
  Control<QToolButton>("tlbtnAnApres")->click();
  ASSERT_EQ(box.texts.size(), 1u);
  EXPECT_EQ(box.texts[0], "Argument incorrect pour l'encodage de date.");
  Control<QToolButton>("tlbtnMAvant")->click();
  EXPECT_EQ(Grid().SelectedDate(), MakeDate(9999, 5, 15));
}

TEST_F(MainFormTest, QuitClosesTheWindowFromButtonAndMenu) {
  for (bool viaMenu : {false, true}) {
    form1_->show();
    QSignalSpy closed(form1_.get(), &MainWindow::Closed);
    if (viaMenu) {
      form1_->Controls().Get<QAction>("Quitter1")->trigger();
    } else {
      Control<QToolButton>("tlbtnQuitter")->click();
    }
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(form1_->isVisible());
  }
}

TEST_F(MainFormTest, SearchCommandOpensTheDialogEmptiedWithTheDayFieldFocused) {
  form1_->show();
  auto* day = form2_->Controls().Get<QLineEdit>("Edit3");
  day->setText("29");
  Control<QToolButton>("tlbtnRechercher")->click();
  EXPECT_TRUE(form2_->isVisible());
  EXPECT_TRUE(day->text().isEmpty());
  EXPECT_EQ(form2_->focusWidget(), day);
}

TEST_F(MainFormTest, TheClockTicksThroughTheTimer) {
  clock_.Set({2005, 3, 7, 8, 0, 0, 0});
  QSignalSpy ticked(form1_->Controls().Get<QTimer>("Timer1"), &QTimer::timeout);
  ASSERT_TRUE(ticked.wait(2500));
  EXPECT_EQ(Panel(2), ClockText(CurrentMoment()));
}

// Records which widgets receive a paint event.
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

TEST_F(MainFormTest, AClockTickRepaintsTheClockPanelAndNothingElse) {
  form1_->show();
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  clock_.Set({2005, 3, 7, 14, 5, 10, 0});
  PaintWatch watch;
  form1_->Form().Timer1Timer();
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(watch.painted.join(",").toStdString(), "Panel2");
}

TEST_F(MainFormTest, AMonthStepRepaintsTheGridAndTheCaptionsThatChanged) {
  form1_->show();
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  PaintWatch watch;
  Control<QToolButton>("tlbtnMApres")->click();
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  watch.painted.sort();
  EXPECT_EQ(watch.painted.join(",").toStdString(), "Calendar1,Panel0,Panel1,RxLabel1,RxLabel2");
}

TEST_F(MainFormTest, SizeIsLockedAndOnlyMinimisingIsOffered) {
  form1_->show();
  const QSize size = form1_->size();
  EXPECT_EQ(form1_->minimumSize(), size);
  EXPECT_EQ(form1_->maximumSize(), size);
  EXPECT_EQ(form1_->centralWidget()->size(), QSize(329, 317));
  EXPECT_EQ(size.height(), 317 + form1_->menuBar()->height());
  form1_->resize(size + QSize(40, 40));
  EXPECT_EQ(form1_->size(), size);
  const Qt::WindowFlags flags = form1_->windowFlags();
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  form1_->showMinimized();
  EXPECT_TRUE(form1_->isMinimized());
}

// The builder: every row of the tables becomes its widget, where the row puts it, with the
// row's texts.
TEST_F(MainFormTest, EveryRowOfTheTablesIsBuiltAsItSays) {
  const WindowLayout& table = TForm1::kLayout;
  EXPECT_EQ(form1_->windowTitle().toStdString(), table.caption);
  for (const ControlLayout& row : table.controls) {
    if (row.kind == ControlKind::kTimer) continue;
    QWidget* w = form1_->Controls().Find(row.name);
    ASSERT_NE(w, nullptr) << row.name;
    EXPECT_EQ(w->objectName().toStdString(), row.name);
    EXPECT_EQ(w->geometry(), QRect(row.left, row.top, row.width, row.height)) << row.name;
    EXPECT_EQ(w->parentWidget()->objectName().toStdString(),
              row.parent.empty() ? "ClientArea" : row.parent);
  }
  EXPECT_TRUE(Control<TGroupBox>("GroupBox1")->title().isEmpty());
  EXPECT_EQ(Control<CalendarWidget>("Calendar1")->focusPolicy(), Qt::ClickFocus);
  EXPECT_EQ(Control<CalendarWidget>("Calendar1")->accessibleName(), "Calendrier du mois");
  EXPECT_EQ(Grid().StartOfWeek(), 1);
  const TRxLabel& banner = Control<RxLabelWidget>("RxLabel1")->Label();
  EXPECT_EQ(banner.Alignment(), taCenter);
  EXPECT_FALSE(banner.AutoSize());
  EXPECT_EQ(banner.Font().Height, -16);
  EXPECT_EQ(banner.Font().Color, clPurple);

  for (const ToolButtonLayout& row : table.toolButtons) {
    QWidget* w = form1_->Controls().Find(row.name);
    ASSERT_NE(w, nullptr) << row.name;
    EXPECT_EQ(w->pos(), QPoint(row.left, 0)) << row.name;
    if (auto* button = qobject_cast<QToolButton*>(w)) {
      EXPECT_EQ(button->toolTip().toStdString(), row.hint);
      EXPECT_EQ(button->accessibleName().toStdString(), SpokenName(row.hint));
      EXPECT_FALSE(button->icon().isNull()) << row.name;
      EXPECT_EQ(button->size(), QSize(23, 22));
    }
  }

  std::vector<std::string> built;
  for (QAction* menu : form1_->menuBar()->actions()) {
    built.push_back(menu->text().toStdString());
    for (QAction* a : menu->menu()->actions()) {
      built.push_back(a->isSeparator() ? "-" : a->text().toStdString());
      EXPECT_TRUE(a->shortcut().isEmpty());
    }
  }
  std::vector<std::string> listed;
  for (const MenuItemLayout& row : table.menu) listed.emplace_back(row.caption);
  EXPECT_EQ(built, listed);

  auto* bar = Control<TStatusBar>("StatusBar1");
  ASSERT_EQ(bar->PanelCount(), static_cast<int>(table.panels.size()));
  for (int i = 0; i < bar->PanelCount(); ++i) {
    // The last panel may take more: the rest of the bar.
    const int width = table.panels[static_cast<std::size_t>(i)].width;
    if (i + 1 < bar->PanelCount()) {
      EXPECT_EQ(bar->Panel(i)->width(), width);
    } else {
      EXPECT_GE(bar->Panel(i)->width(), width);
    }
  }
}

TEST_F(MainFormTest, StatusBarsLastPanelTakesTheRestAndACutTextShowsWholeInItsTooltip) {
  form1_->setFont(FormFont());  // the program's font, as its start-up sets it
  form1_->show();
  auto* bar = Control<TStatusBar>("StatusBar1");
  ASSERT_EQ(bar->PanelCount(), 3);
  EXPECT_EQ(bar->Panel(2)->geometry().right(), bar->width() - 1);
  // The clock's texts, the 12-hour ones too, fit whole (a little narrower if need be).
  for (const char* clock : {"23:59:59", "12:00:00 PM", "12:00:00 AM"}) {
    bar->SetPanelText(2, clock);
    EXPECT_TRUE(bar->Panel(2)->toolTip().isEmpty()) << clock;
  }
  const std::string wide = "Lune : 29° jour  (dernier quartier) <b>et bien plus encore</b>";
  bar->SetPanelText(1, wide);
  EXPECT_TRUE(bar->Panel(1)->toolTip().contains(QString::fromStdString(wide).toHtmlEscaped()));
}

TEST_F(MainFormTest, AWeekdayLineWiderThanItsLabelShowsWholeInItsTooltip) {
  auto* line = Control<RxLabelWidget>("RxLabel2");
  line->grab();
  EXPECT_TRUE(line->toolTip().isEmpty());
  const std::string wide = "Wednesday, September 28, 2005 - 4 ème jour de la semaine <i>.";
  line->Label().SetCaption(wide);
  line->grab();  // painting finds the caption cut
  EXPECT_TRUE(line->toolTip().contains(QString::fromStdString(wide).toHtmlEscaped()));
}

TEST_F(MainFormTest, TheWheelOverTheBannerTurnsTheFocusedGrid) {
  form1_->show();
  QApplication::setActiveWindow(form1_.get());
  auto* grid = Control<CalendarWidget>("Calendar1");
  grid->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), grid);
  auto* banner = Control<RxLabelWidget>("RxLabel1");
  const QPointF at(10, 5);
  QWheelEvent turn(at, banner->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(banner, &turn);
  EXPECT_EQ(Grid().SelectedDate(), MakeDate(2005, 3, 14));  // one row down: a week later
  EXPECT_EQ(Banner(), MonthBannerText(MakeDate(2005, 3, 14)));
}

}  // namespace
}  // namespace dorvane
