// The search dialog's rules, through fakes of its view and of the main window's.
#include <gtest/gtest.h>

#include <exception>
#include <map>
#include <string>

#include "FakeViews.h"
#include "dates/ConvertError.h"
#include "forms/Application.h"
#include "forms/_Recherche.h"

namespace dorvane {
namespace {

using testing::FakeFormView;

class SearchFormTest : public ::testing::Test {
 protected:
  SearchFormTest() : main_(TForm1::kLayout), view_(TForm2::kLayout), form2_(view_, main_, grid_) {}

  // Clicks "&Afficher" with the fields as given; returns the error box's text, or "" when
  // nothing failed.
  std::string Show(const char* day, const char* month, const char* year) {
    view_.texts = {{"Edit3", day}, {"Edit2", month}, {"Edit1", year}};
    try {
      form2_.btnAfficherClick();
    } catch (...) {
      return FailureBoxText(std::current_exception());
    }
    return {};
  }

  static constexpr TDateTime kStart = 38418;  // 7 March 2005
  FakeFormView main_;
  FakeFormView view_;
  TCalendar grid_;
  TForm2 form2_;
};

constexpr DateParts kUnmoved{2005, 3, 7};
constexpr const char* kNoDate = "Argument incorrect pour l'encodage de date.";

TEST_F(SearchFormTest, ChecksRunInOrderAndOnlyAGoodDateMovesTheGrid) {
  const struct {
    const char* day;
    const char* month;
    const char* year;
    const char* box;  // empty: accepted
    bool mainBroughtForward;
    DateParts shown;  // the grid's date afterwards
  } cases[] = {
      {"", "", "", "'' n'est pas une valeur entière correcte.", false, kUnmoved},
      // The year is read first, then the month, then the day.
      {"x", "y", "z", "'z' n'est pas une valeur entière correcte.", false, kUnmoved},
      {"x", "y", "2005", "'y' n'est pas une valeur entière correcte.", false, kUnmoved},
      {"x", "3", "2005", "'x' n'est pas une valeur entière correcte.", false, kUnmoved},
      // Any number is read before the date is encoded, after the main window came forward
      // (which dates are refused is the date values' test).
      {"31", "2", "2005", kNoDate, true, kUnmoved},
      {"-1", "3", "2005", kNoDate, true, kUnmoved},
      {"29", "2", "2004", "", true, {2004, 2, 29}},
      {"5", "3", "05", "", true, {5, 3, 5}},
      {" 8", "$C", "2005", "", true, {2005, 12, 8}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.day) + "/" + c.month + "/" + c.year);
    main_.visible = false;
    grid_.SetSelectedDate(kStart);
    EXPECT_EQ(Show(c.day, c.month, c.year), c.box);
    EXPECT_EQ(main_.visible, c.mainBroughtForward);
    EXPECT_EQ(SplitDate(grid_.SelectedDate()), c.shown);
    // The dialog stays as it was, with the fields as typed.
    EXPECT_EQ(view_.texts, (std::map<std::string, std::string>{
                               {"Edit3", c.day}, {"Edit2", c.month}, {"Edit1", c.year}}));
    EXPECT_TRUE(view_.focus.empty());
  }
}

TEST_F(SearchFormTest, ValuesThatCannotBeUnsigned16BitAreNoDate) {
  EXPECT_THROW(SearchedDate(65536 + 2005, 3, 7), EConvertError);
  EXPECT_THROW(SearchedDate(2005, 3, -65529), EConvertError);
  EXPECT_EQ(SearchedDate(2005, 3, 7), kStart);
}

TEST(SearchKeyFilterTest, OnlyDigitsAndBackspacePass) {
  for (char32_t key = 0; key < 0x3000; ++key) {
    const bool passes = key == 8 || (key >= U'0' && key <= U'9');
    EXPECT_EQ(Edit3KeyPress(key), passes ? key : char32_t{15}) << static_cast<unsigned>(key);
  }
}

}  // namespace
}  // namespace dorvane
