#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/CustomGrid.h"
#include "dates/DateValue.h"

namespace dorvane {

// Weekday shown in the first day column: 0 = Sunday ... 6 = Saturday.
using TDayOfWeek = std::uint8_t;

// The colour of a public holiday's day number: dark red (clMaroon, RGB 128, 0, 0: 10.9 to 1 on
// white) on a light face; in high contrast the system's highlight colour, which its schemes
// keep legible on the window's colour.
constexpr TColor HolidayColor(bool highContrast) {
  return highContrast ? clHighlight : clMaroon;
}

// The header of the week numbers' column.
inline constexpr std::string_view kWeekColumnTitle = "Sem.";

// A month calendar: a header row of short day names above six rows of day numbers, with, when
// asked, a narrow column of ISO week numbers at the left and holidays in their colour. It holds
// one date and always shows that date's month with the date's day as the current cell. Every
// change of the date is stored first, then the grid is laid out anew, and only then OnChange
// fires, so a handler sees the final date and grid.
class TCalendar : public TCustomGrid {
 public:
  using ChangeEvent = std::function<void(TCalendar& sender)>;

  TCalendar();

  TDateTime SelectedDate() const { return selectedDate_; }
  // Raises EConvertError with the date-encoding message, storing nothing, for a value outside
  // 1 January 0001 - 31 December 9999; otherwise stores it as given (time of day included),
  // lays out and fires one notice even when the value is unchanged.
  void SetSelectedDate(TDateTime date);

  int Year() const { return GetDatePart(1); }
  void SetYear(int year) { SetDatePart(1, year); }
  int Month() const { return GetDatePart(2); }
  void SetMonth(int month) { SetDatePart(2, month); }
  int Day() const { return GetDatePart(3); }
  void SetDay(int day) { SetDatePart(3, day); }

  // 1 = year, 2 = month, 3 = day; any other index gives -1.
  int GetDatePart(int index) const;
  void SetDatePart(int index, int value);

  void MonthBack() { StepMonth(-1); }
  void MonthForward() { StepMonth(1); }
  void YearBack() { StepYear(-1); }
  void YearForward() { StepYear(1); }

  TDayOfWeek StartOfWeek() const { return startOfWeek_; }
  void SetStartOfWeek(TDayOfWeek day);
  bool UseCurrentDate() const { return useCurrentDate_; }
  void SetUseCurrentDate(bool use);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

  // A column at the left, headed kWeekColumnTitle, with each row's ISO 8601 week number (that
  // of the row's Monday). It is fixed: never current, never a day; the day columns share what
  // it leaves of the grid's width.
  bool ShowWeekNumbers() const { return showWeekNumbers_; }
  void SetShowWeekNumbers(bool show);
  // Public holidays' day numbers drawn in HolidayColor (the current day keeps its colours) and
  // named in the days' hints.
  bool ShowHolidays() const { return showHolidays_; }
  void SetShowHolidays(bool show);
  TColor HolidayTextColor() const { return holidayColor_; }
  void SetHolidayTextColor(TColor color);

  // The day columns, one a weekday.
  static constexpr int kColumns = 7;

  // The columns' mapping, for everything that reads a grid column: the day column (0 = the
  // StartOfWeek day ... 6) that grid column `col` shows; -1 for the week column or outside.
  int DayColumn(int col) const;
  // The grid column of day column `dayColumn`.
  int GridColumn(int dayColumn) const { return dayColumn + (showWeekNumbers_ ? 1 : 0); }

  // Day number of a day-row cell = DayOffset + DayColumn(col) + 7 * (row - 1); in -5..1.
  int DayOffset() const { return dayOffset_; }

  // A short day name in row 0; a day number, or "" for a blank cell, in the other rows; in the
  // week column its title, then the week numbers ("" beside a row without a day).
  std::string TextOfCell(int col, int row) const;
  // The day a cell shows; nothing for a header, a blank cell or the week column.
  std::optional<TDateTime> DateOfCell(int col, int row) const;
  // The hint of a cell holding a day: its full date, its holiday when holidays are shown, its
  // week number when those are: "lundi 28 mars 2005 — Lundi de Pâques — semaine 13". "" for
  // any other cell.
  std::string HintOfCell(int col, int row) const;
  // The weekday of a day column of the grid, 0 = Sunday ... 6 = Saturday.
  int WeekdayOfColumn(int col) const { return (DayColumn(col) + startOfWeek_) % 7; }
  // A day as a screen reader says it: SpokenDate, followed by its holiday while holidays are
  // shown ("lundi 28 mars 2005 — Lundi de Pâques").
  std::string SpokenDay(TDateTime date) const;

  virtual int MonthLength(int year, int month) const;
  virtual int ShownMonthLength() const;
  virtual bool YearIsLeap(int year) const;
  virtual void RefreshLayout();

  ChangeEvent OnChange;

 protected:
  void PaintCell(int col, int row, const Rect& rect, TGridDrawState state) override;
  bool CanSelectCell(int col, int row) override;
  void HandleClick() override;
  void ClientResized(int width, int height) override;
  void SelectionCancelled() override;
  void CurrentCellMoved() override;
  virtual void NotifyDateChange();

 private:
  void StepMonth(int step);
  void StepYear(int step);
  // Tells the host when the current cell is another, or shows another date, than it last told.
  void AnnounceCurrentCell();
  // The date of the day `n` of the shown month (before 1 or after its end too).
  TDateTime DayOfMonth(int n) const;
  // The day number a cell of a day column stands for (below 1 or past the month's end: blank).
  int DayNumberOfCell(int col, int row) const {
    return dayOffset_ + DayColumn(col) + 7 * (row - 1);
  }

  TDateTime selectedDate_ = 0;
  int dayOffset_ = 0;
  bool readOnly_ = false;
  TDayOfWeek startOfWeek_ = 0;
  bool refreshing_ = false;
  bool useCurrentDate_ = true;
  struct Announced {
    GridCoord cell;
    std::optional<TDateTime> date;
    friend bool operator==(const Announced&, const Announced&) = default;
  };
  std::optional<Announced> announced_;
  bool showWeekNumbers_ = false;
  bool showHolidays_ = false;
  std::uint32_t holidayDays_ = 0;  // the shown month's holidays while shown: day n is bit n
  TColor holidayColor_ = HolidayColor(false);
};

// A date as a screen reader says it: the locale's long date, its weekday's name in front when
// the long date names none ("lundi 7 mars 2005").
std::string SpokenDate(TDateTime date);

}  // namespace dorvane
