// The main window's rules, through a fake of its view.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "ClockOverride.h"
#include "FakePlatform.h"
#include "FakeViews.h"
#include "dates/Captions.h"
#include "dates/Formatting.h"
#include "dates/Moon.h"
#include "forms/MainForm.h"
#include "forms/_Recherche.h"
#include "platform/Clock.h"
#include "platform/Services.h"

namespace dorvane {
namespace {

using testing::FakeFormView;
using testing::FakeMainView;

constexpr platform::LocalTime kMonday{2005, 3, 7, 14, 5, 9, 0};

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() : search_(TForm2::kLayout) {
    form1_ = std::make_unique<TForm1>(view_);
    // The grid's change notice goes where the table says, as a front end wires it.
    const Handler onChange = FindControl(TForm1::kLayout, "Calendar1")->onEvent;
    view_.grid.OnChange = [this, onChange](TCalendar&) { (form1_.get()->*onChange)(); };
    form2_ = std::make_unique<TForm2>(search_, view_, view_.grid);
    form1_->SetSearchDialog(form2_.get());
    form1_->Create();
  }
  // Every caption that follows the grid's date shows that date.
  void ExpectCaptionsOf(TDateTime d) {
    EXPECT_EQ(view_.texts["RxLabel1"], MonthBannerText(d));
    EXPECT_EQ(view_.texts["RxLabel2"], WeekdayLineText(d));
    EXPECT_EQ(view_.panels[0], DayOfYearText(d));
    EXPECT_EQ(view_.panels[1], MoonPhaseLine(d));
  }

  testing::ClockOverride clock_{kMonday};  // first: the grid opens on today
  testing::FakeSettings settings_;         // none of the user's own choices
  platform::ServicesScope settingsScope_{{.settings = &settings_}};
  FakeMainView view_;
  FakeFormView search_;
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<TForm2> form2_;
};

TEST_F(MainFormTest, CreationStartsTheTimerThenFillsEveryCaptionAndTheClock) {
  EXPECT_EQ(view_.timers, (std::vector<std::pair<std::string, int>>{{"Timer1", 1000}}));
  ExpectCaptionsOf(MakeDate(2005, 3, 7));
  EXPECT_EQ(view_.panels[2], ClockText(CurrentMoment()));
}

TEST_F(MainFormTest, WithoutATimerCreationFails) {
  FakeMainView view;
  view.timersAvailable = false;
  TForm1 form(view);
  try {
    form.Create();
    FAIL() << "no failure";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Pas assez de timers disponibles");
  }
  EXPECT_TRUE(view.texts.empty()) << "FormCreate ran";
}

// Which command each button and menu item runs, and the steps themselves, are the window
// suite's and the grid's tests; here the current month's command, which goes to today itself
// and rebuilds the captions even on today.
TEST_F(MainFormTest, CurrentMonthGoesToTodayAndRebuilds) {
  for (const DateParts from : {DateParts{1999, 12, 31}, DateParts{2005, 3, 7}}) {
    view_.grid.SetSelectedDate(MakeDate(from.year, from.month, from.day));
    view_.panels[0].clear();  // only a rebuild puts it back
    form1_->tlbtnMActuelClick();
    ExpectCaptionsOf(MakeDate(2005, 3, 7));
  }
}

TEST_F(MainFormTest, ClockAcrossMidnightLeavesTheCaptionsOnThePreviousDate) {
  const std::string before = view_.panels[2];
  clock_.Set({2005, 3, 8, 0, 0, 1, 0});
  form1_->Timer1Timer();
  EXPECT_EQ(view_.panels[2], ClockText(CurrentMoment()));
  EXPECT_NE(view_.panels[2], before);
  EXPECT_EQ(view_.grid.SelectedDate(), MakeDate(2005, 3, 7));
  ExpectCaptionsOf(MakeDate(2005, 3, 7));
}

}  // namespace
}  // namespace dorvane
