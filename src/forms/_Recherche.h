#pragma once

#include <cstdint>

#include "calendar/Calendar.h"
#include "dates/DateValue.h"
#include "forms/FormView.h"
#include "forms/Layout.h"

namespace dorvane {

// The key filter of the three date fields: backspace and the digits pass, every other
// character becomes the control character 15, which a single-line edit does not insert.
constexpr char32_t Edit3KeyPress(char32_t key) {
  if (key == 8 || (key >= U'0' && key <= U'9')) return key;
  return 15;
}

// The date of the three fields' values; raises EConvertError with the date-encoding message
// when they make no date of the years 1 to 9999.
TDateTime SearchedDate(std::int32_t year, std::int32_t month, std::int32_t day);

// The date search dialog: a day, a month and a year typed in, and the main window's grid moves
// to that date. Modeless; created hidden once and only hidden and shown again afterwards.
class TForm2 : public TForm {
 public:
  static const WindowLayout kLayout;

  // mainWindow is brought forward by a search, grid receives the date found.
  TForm2(FormView& view, FormView& mainWindow, TCalendar& grid)
      : view_(view), mainWindow_(mainWindow), grid_(grid) {}

  FormView& View() { return view_; }

  // Fills the three fields with a date, as a user would type it.
  void TypeDate(const DateParts& date);

  // Handlers.
  void btnAfficherClick();
  void Button1Click();

 private:
  FormView& view_;
  FormView& mainWindow_;
  TCalendar& grid_;
};

}  // namespace dorvane
