#include <gtest/gtest.h>

#include <QSignalSpy>

#include <functional>
#include <memory>
#include <string>

#include "QtTestApp.h"
#include "qt/MainWindow.h"
#include "dates/Captions.h"
#include "dates/ConvertError.h"
#include "dates/Formatting.h"
#include "dates/Moon.h"
#include "qt/SearchWindow.h"

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
    form1_ = std::make_unique<TForm1>();
    form2_ = std::make_unique<TForm2>(form1_.get(), Grid());
    form1_->SetSearchDialog(form2_.get());
  }

  TCalendar& Grid() { return form1_->Calendar1->Calendar(); }
  std::string Banner() { return form1_->RxLabel1->Label().Caption(); }
  std::string WeekdayLine() { return form1_->RxLabel2->Label().Caption(); }
  std::string Panel(int i) { return form1_->StatusBar1->PanelText(i); }

  // Every caption that follows the grid's date shows that date.
  void ExpectCaptionsOf(TDateTime d) {
    EXPECT_EQ(Banner(), MonthBannerText(d));
    EXPECT_EQ(WeekdayLine(), WeekdayLineText(d));
    EXPECT_EQ(Panel(0), DayOfYearText(d));
    EXPECT_EQ(Panel(1), MoonPhaseLine(d));
  }

  ClockOverride clock_;
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<TForm2> form2_;
};

TEST_F(MainFormTest, StartUpFillsEveryCaptionAndTheClock) {
  const TDateTime today = MakeDate(2005, 3, 7);
  EXPECT_EQ(Grid().SelectedDate(), today);
  ExpectCaptionsOf(today);
  EXPECT_EQ(Panel(2), ClockText(CurrentMoment()));
  EXPECT_FALSE(Banner().empty());
  EXPECT_FALSE(Panel(2).empty());
  EXPECT_NE(Panel(1), "Lune :");
  EXPECT_TRUE(form1_->Timer1->isActive());
  EXPECT_EQ(form1_->Timer1->interval(), 1000);
}

struct NavigationCase {
  const char* name;
  QToolButton* TForm1::*button;
  QAction* TForm1::*item;
  DateParts from;
  DateParts to;
};

void PrintTo(const NavigationCase& c, std::ostream* os) { *os << c.name; }

class NavigationTest : public MainFormTest, public ::testing::WithParamInterface<NavigationCase> {};

TEST_P(NavigationTest, ButtonAndMenuItemRunTheSameCommandAndTheCaptionsFollow) {
  const NavigationCase& c = GetParam();
  const TDateTime from = MakeDate(c.from.year, c.from.month, c.from.day);
  const TDateTime to = MakeDate(c.to.year, c.to.month, c.to.day);
  for (bool viaMenu : {false, true}) {
    SCOPED_TRACE(viaMenu ? "menu item" : "tool button");
    Grid().SetSelectedDate(from);
    if (viaMenu) {
      (form1_.get()->*c.item)->trigger();
    } else {
      (form1_.get()->*c.button)->click();
    }
    EXPECT_EQ(Grid().SelectedDate(), to);
    ExpectCaptionsOf(to);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, NavigationTest,
    ::testing::Values(
        NavigationCase{"YearBack", &TForm1::tlbtnAnAvant, &TForm1::Anneprcdente1, {2008, 5, 17}, {2007, 5, 17}},
        NavigationCase{"MonthBack", &TForm1::tlbtnMAvant, &TForm1::Moisprcdent1, {2008, 5, 17}, {2008, 4, 17}},
        NavigationCase{"Today", &TForm1::tlbtnMActuel, &TForm1::Moisactuel1, {1999, 12, 31}, {2005, 3, 7}},
        NavigationCase{"MonthForward", &TForm1::tlbtnMApres, &TForm1::Moissuivant1, {2008, 5, 17}, {2008, 6, 17}},
        NavigationCase{"YearForward", &TForm1::tlbtnAnApres, &TForm1::Annesuivante1, {2008, 5, 17}, {2009, 5, 17}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(MainFormTest, TodayOnTodayRebuildsTheCaptionsWithoutChange) {
  const std::string banner = Banner();
  const std::string line = WeekdayLine();
  const std::string moon = Panel(1);
  // Spoil one caption: only a rebuild can put it back.
  form1_->StatusBar1->SetPanelText(0, "x");
  form1_->tlbtnMActuel->click();
  EXPECT_EQ(Grid().SelectedDate(), MakeDate(2005, 3, 7));
  EXPECT_EQ(Banner(), banner);
  EXPECT_EQ(WeekdayLine(), line);
  EXPECT_EQ(Panel(0), DayOfYearText(MakeDate(2005, 3, 7)));
  EXPECT_EQ(Panel(1), moon);
}

TEST_F(MainFormTest, YearStepThatCannotEncodeShowsTheBoxAndLeavesTheGrid) {
  const TDateTime last = MakeDate(9999, 6, 15);
  Grid().SetSelectedDate(last);
  ErrorBoxRecorder box;
  form1_->tlbtnAnApres->click();
  ASSERT_EQ(box.texts.size(), 1u);
  EXPECT_EQ(box.texts[0], "Argument incorrect pour l'encodage de date.");
  EXPECT_EQ(Grid().SelectedDate(), last);
  ExpectCaptionsOf(last);
  // The program goes on: the next command works.
  form1_->tlbtnMAvant->click();
  EXPECT_EQ(Grid().SelectedDate(), MakeDate(9999, 5, 15));
}

TEST_F(MainFormTest, HelpWithoutViewerSaysSoInTheBox) {
  ErrorBoxRecorder box;
  form1_->tlbtnAide->click();
  form1_->Rubriquesdelaide1->trigger();
  ASSERT_EQ(box.texts.size(), 2u);
  EXPECT_EQ(box.texts[0], "Aucun visualiseur d'aide n'est installé.");
  EXPECT_EQ(box.texts[1], box.texts[0]);
}

TEST_F(MainFormTest, QuitClosesTheWindowFromButtonAndMenu) {
  for (bool viaMenu : {false, true}) {
    form1_->show();
    QSignalSpy closed(form1_.get(), &TForm1::Closed);
    if (viaMenu) {
      form1_->Quitter1->trigger();
    } else {
      form1_->tlbtnQuitter->click();
    }
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(form1_->isVisible());
  }
}

TEST_F(MainFormTest, SearchCommandOpensTheDialogEmptiedWithTheDayFieldFocused) {
  form1_->show();
  form2_->Edit1->setText("2004");
  form2_->Edit2->setText("2");
  form2_->Edit3->setText("29");
  for (bool viaMenu : {false, true}) {
    if (viaMenu) {
      form1_->RechercherDate1->trigger();
    } else {
      form1_->tlbtnRechercher->click();
    }
    EXPECT_TRUE(form2_->isVisible());
    EXPECT_TRUE(form2_->Edit1->text().isEmpty());
    EXPECT_TRUE(form2_->Edit2->text().isEmpty());
    EXPECT_TRUE(form2_->Edit3->text().isEmpty());
    EXPECT_EQ(form2_->focusWidget(), form2_->Edit3);
    form2_->Edit1->setText("1");
  }
}

TEST_F(MainFormTest, ClockAcrossMidnightLeavesTheCaptionsOnThePreviousDate) {
  clock_.Set({2005, 3, 7, 23, 59, 59, 0});
  form1_ = std::make_unique<TForm1>();
  const std::string before = Panel(2);
  clock_.Set({2005, 3, 8, 0, 0, 1, 0});
  form1_->Timer1Timer();
  EXPECT_EQ(Panel(2), ClockText(CurrentMoment()));
  EXPECT_NE(Panel(2), before);
  EXPECT_EQ(Grid().SelectedDate(), MakeDate(2005, 3, 7));
  ExpectCaptionsOf(MakeDate(2005, 3, 7));
}

TEST_F(MainFormTest, TheClockTicksThroughTheTimer) {
  clock_.Set({2005, 3, 7, 8, 0, 0, 0});
  QSignalSpy ticked(form1_->Timer1, &QTimer::timeout);
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
  form1_->Timer1Timer();
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(watch.painted.join(",").toStdString(), "Panel2");
}

TEST_F(MainFormTest, AMonthStepRepaintsTheGridAndTheCaptionsThatChanged) {
  form1_->show();
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  PaintWatch watch;
  form1_->tlbtnMApres->click();
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

struct Placed {
  const char* name;
  QRect geometry;
};

TEST_F(MainFormTest, EveryControlSitsWhereTheLayoutPutsIt) {
  const Placed placed[] = {
      {"ControlBar1", {0, 0, 329, 26}},      {"ToolBar1", {11, 2, 316, 22}},
      {"StatusBar1", {0, 298, 329, 19}},     {"GroupBox1", {8, 32, 313, 49}},
      {"RxLabel1", {8, 16, 297, 20}},        {"GroupBox2", {8, 88, 313, 153}},
      {"Calendar1", {8, 16, 297, 129}},      {"GroupBox3", {8, 248, 313, 41}},
      {"RxLabel2", {8, 16, 297, 17}},        {"tlbtnAnAvant", {0, 0, 23, 22}},
      {"tlbtnMAvant", {23, 0, 23, 22}},      {"tlbtnMActuel", {46, 0, 23, 22}},
      {"tlbtnMApres", {69, 0, 23, 22}},      {"tlbtnAnApres", {92, 0, 23, 22}},
      {"ToolButton6", {115, 0, 8, 22}},      {"tlbtnRechercher", {123, 0, 23, 22}},
      {"ToolButton2", {146, 0, 8, 22}},      {"tlbtnAide", {154, 0, 23, 22}},
      {"tlbtnQuitter", {177, 0, 23, 22}},
  };
  for (const Placed& p : placed) {
    auto* w = form1_->findChild<QWidget*>(QString::fromLatin1(p.name));
    ASSERT_NE(w, nullptr) << p.name;
    EXPECT_EQ(w->geometry(), p.geometry) << p.name;
  }
  EXPECT_EQ(form1_->windowTitle(), "Dorvane");
  EXPECT_TRUE(form1_->GroupBox1->title().isEmpty());
  EXPECT_TRUE(form1_->GroupBox2->title().isEmpty());
  EXPECT_TRUE(form1_->GroupBox3->title().isEmpty());
  EXPECT_EQ(form1_->Calendar1->focusPolicy() & Qt::TabFocus, 0);
  EXPECT_EQ(Grid().StartOfWeek(), 1);
  EXPECT_EQ(form1_->RxLabel1->Label().Alignment(), taCenter);
  EXPECT_EQ(form1_->RxLabel2->Label().Alignment(), taCenter);
  EXPECT_FALSE(form1_->RxLabel1->Label().AutoSize());
  EXPECT_FALSE(form1_->RxLabel2->Label().AutoSize());
  EXPECT_EQ(form1_->RxLabel1->Label().Font().Height, -16);
  EXPECT_TRUE(form1_->RxLabel1->Label().Font().Bold);
  EXPECT_EQ(form1_->RxLabel1->Label().Font().Color, clPurple);
}

TEST_F(MainFormTest, ToolButtonsShowTheirHintsAndHaveNames) {
  const std::pair<QToolButton* TForm1::*, const char*> hints[] = {
      {&TForm1::tlbtnAnAvant, "Année précédente."},  {&TForm1::tlbtnMAvant, "Mois précédent."},
      {&TForm1::tlbtnMActuel, "Mois actuel."},       {&TForm1::tlbtnMApres, "Mois suivant."},
      {&TForm1::tlbtnAnApres, "Année suivante."},    {&TForm1::tlbtnRechercher, "Rechercher une date."},
      {&TForm1::tlbtnAide, "Aide logicielle."},      {&TForm1::tlbtnQuitter, "Quitter logiciel."},
  };
  for (const auto& [button, hint] : hints) {
    QToolButton* b = form1_.get()->*button;
    EXPECT_EQ(b->toolTip(), QString::fromUtf8(hint));
    EXPECT_FALSE(b->accessibleName().isEmpty()) << hint;
    EXPECT_FALSE(b->icon().isNull()) << hint;
    EXPECT_EQ(b->size(), QSize(23, 22));
  }
  EXPECT_FALSE(form1_->Calendar1->accessibleName().isEmpty());
  EXPECT_FALSE(form1_->windowIcon().isNull());
}

TEST_F(MainFormTest, MenuListsItsItemsWithTheirAccelerators) {
  QStringList fichier;
  for (QAction* a : form1_->Fichier1->actions()) fichier << (a->isSeparator() ? "-" : a->text());
  EXPECT_EQ(fichier, QStringList({"Année &précédente", "Année &suivante", "Mois p&récédent",
                                  "Mois &actuel", "Mois s&uivant", "-", "&Rechercher Date", "-",
                                  "&Quitter"}));
  QStringList aide;
  for (QAction* a : form1_->Aide1->actions()) aide << (a->isSeparator() ? "-" : a->text());
  EXPECT_EQ(aide, QStringList({"&Rubriques de l'aide...", "-", "A &propos de..."}));
  EXPECT_EQ(form1_->Fichier1->title(), "&Fichier");
  EXPECT_EQ(form1_->Aide1->title(), "&Aide");
  for (QAction* a : form1_->Fichier1->actions()) EXPECT_TRUE(a->shortcut().isEmpty());
}

TEST_F(MainFormTest, StatusBarHasThreeFixedPanels) {
  ASSERT_EQ(form1_->StatusBar1->PanelCount(), 3);
  const int widths[] = {75, 185, 50};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(form1_->StatusBar1->Panel(i)->width(), widths[i]);
}

}  // namespace
}  // namespace dorvane
