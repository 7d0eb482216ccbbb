#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "calendar/CustomGrid.h"
#include "dates/DateValue.h"

namespace dorvane {

// Weekday shown in column 0: 0 = Sunday ... 6 = Saturday.
using TDayOfWeek = std::uint8_t;

// A month calendar: a header row of short day names above six rows of day numbers. It holds
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

  // Day number of a day-row cell = DayOffset + col + 7 * (row - 1); in -5..1.
  int DayOffset() const { return dayOffset_; }

  // A short day name in row 0; a day number, or "" for a blank cell, in the other rows.
  std::string TextOfCell(int col, int row) const;
  // The date a day cell shows (whole days); none for a header, blank or outside cell.
  std::optional<TDateTime> DateOfCell(int col, int row) const;
  // The weekday of a column, 0 = Sunday ... 6 = Saturday.
  int WeekdayOfColumn(int col) const { return (col + startOfWeek_) % 7; }

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
};

}  // namespace dorvane
