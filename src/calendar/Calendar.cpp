#include "calendar/Calendar.h"

#include <algorithm>
#include <cmath>

#include "dates/ConvertError.h"
#include "dates/DateLocale.h"
#include "dates/Formatting.h"
#include "dates/Holidays.h"
#include "dates/Weeks.h"
#include "text/Ascii.h"

namespace dorvane {

namespace {

constexpr int kRows = 7;
constexpr TDayOfWeek kMonday = 1;
// The week column's share of the width the columns have between them, in 26ths: a little less
// than a day column's, room enough for its title in the systems' dialog fonts.
constexpr int kWeekColumnShare = 3;
constexpr int kShareWhole = 26;
constexpr int kLastYear = 9999;

bool IsShownDate(TDateTime date) {
  // The coarse bound keeps the millisecond conversion of DaysOf within range.
  if (!std::isfinite(date) || std::fabs(date) > 1e7) return false;
  const auto day = static_cast<TDateTime>(DaysOf(date).count());
  return day >= kMinDate && day <= kMaxDate;
}

// The holidays of a month as bits: day n is bit n.
std::uint32_t HolidayDaysOf(int year, int month) {
  std::uint32_t days = 0;
  for (const Holiday& holiday : HolidaysOf(year)) {
    if (holiday.Date.month == month) days |= std::uint32_t{1} << holiday.Date.day;
  }
  return days;
}

}  // namespace

TCalendar::TCalendar() {
  SetFixedCols(0);
  SetFixedRows(1);
  SetColCount(kColumns);
  SetRowCount(kRows);
  // No scroll bars, no range selection, the current cell drawn highlighted even with the
  // focus: the grid base has neither scrolling nor ranges, and always draws it so.
  selectedDate_ = TodayDate();
  RefreshLayout();
}

void TCalendar::SetSelectedDate(TDateTime date) {
  // A date the grid cannot show is refused before it is stored, so the calendar never holds a
  // date that disagrees with its grid.
  if (!IsShownDate(date)) throw EConvertError(kDateEncodingMessage);
  selectedDate_ = date;
  RefreshLayout();
  NotifyDateChange();
}

int TCalendar::GetDatePart(int index) const {
  const DateParts parts = SplitDate(selectedDate_);
  switch (index) {
    case 1:
      return parts.year;
    case 2:
      return parts.month;
    case 3:
      return parts.day;
    default:
      return -1;
  }
}

void TCalendar::SetDatePart(int index, int value) {
  if (value < 1) return;
  const DateParts parts = SplitDate(selectedDate_);
  int y = parts.year;
  int m = parts.month;
  int d = parts.day;
  switch (index) {
    case 1:
      if (value == y) return;
      y = value;
      break;
    case 2:
      if (value > 12 || value == m) return;
      m = value;
      break;
    case 3:
      if (value > ShownMonthLength() || value == d) return;
      d = value;
      break;
    default:
      return;
  }
  // Checked before narrowing to the 16-bit parts, so that a huge year cannot wrap around to
  // a valid one.
  if (y > kLastYear) throw EConvertError(kDateEncodingMessage);
  const TDateTime date = MakeDate(static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m),
                                  static_cast<std::uint16_t>(d));
  selectedDate_ = date;
  useCurrentDate_ = false;
  RefreshLayout();
  NotifyDateChange();
}

void TCalendar::StepMonth(int step) {
  const DateParts parts = SplitDate(selectedDate_);
  const int wanted = parts.day;
  const int edgeDay = step > 0 ? MonthLength(parts.year, parts.month) : 1;
  // The last day of this month plus one, or the first minus one, lands in the next or the
  // previous month, across year ends.
  const TDateTime edge = MakeDate(parts.year, parts.month, static_cast<std::uint16_t>(edgeDay));
  const DateParts next = SplitDate(edge + step);
  const int length = MonthLength(next.year, next.month);
  const int day = wanted < length ? wanted : length;
  SetSelectedDate(MakeDate(next.year, next.month, static_cast<std::uint16_t>(day)));
}

void TCalendar::StepYear(int step) {
  if (YearIsLeap(Year()) && Month() == 2 && Day() == 29) SetDatePart(3, 28);
  SetDatePart(1, Year() + step);
}

void TCalendar::SetStartOfWeek(TDayOfWeek day) {
  if (day > 6 || day == startOfWeek_) return;
  startOfWeek_ = day;
  RefreshLayout();
}

void TCalendar::SetUseCurrentDate(bool use) {
  if (use == useCurrentDate_) return;
  useCurrentDate_ = use;
  if (use) {
    selectedDate_ = TodayDate();
    RefreshLayout();
  }
}

void TCalendar::SetShowWeekNumbers(bool show) {
  if (show == showWeekNumbers_) return;
  showWeekNumbers_ = show;
  if (show) {
    SetColCount(kColumns + 1);
    SetFixedCols(1);
  } else {
    SetFixedCols(0);
    SetColCount(kColumns);
  }
  ClientResized(ClientWidth(), ClientHeight());
  RefreshLayout();
}

void TCalendar::SetShowHolidays(bool show) {
  if (show == showHolidays_) return;
  showHolidays_ = show;
  RefreshLayout();
}

void TCalendar::SetHolidayTextColor(TColor color) {
  if (color == holidayColor_) return;
  holidayColor_ = color;
  InvalidateGrid();
}

int TCalendar::DayColumn(int col) const {
  const int first = GridColumn(0);
  return col < first || col >= first + kColumns ? -1 : col - first;
}

TDateTime TCalendar::DayOfMonth(int n) const {
  const DateParts parts = SplitDate(selectedDate_);
  return MakeDate(parts.year, parts.month, 1) + (n - 1);
}

std::string TCalendar::TextOfCell(int col, int row) const {
  if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return {};
  const int day = DayColumn(col);
  if (day < 0) {
    if (row == 0) return std::string(kWeekColumnTitle);
    // The row's Monday gives the week, whatever day the row starts with; a row without a day
    // of the month has none.
    const int first = dayOffset_ + 7 * (row - 1);
    if (first + 6 < 1 || first > ShownMonthLength()) return {};
    const TDateTime monday = DayOfMonth(first + (kMonday - startOfWeek_ + 7) % 7);
    if (!IsShownDate(monday)) return {};
    return std::to_string(IsoWeekOf(monday).Week);
  }
  if (row == 0)
    return CurrentDateLocale().DayAbbrevs[static_cast<std::size_t>(WeekdayOfColumn(col))];
  const int n = DayNumberOfCell(col, row);
  if (n < 1 || n > ShownMonthLength()) return {};
  return std::to_string(n);
}

std::optional<TDateTime> TCalendar::DateOfCell(int col, int row) const {
  if (DayColumn(col) < 0 || row < 1 || row >= RowCount()) return std::nullopt;
  const int n = DayNumberOfCell(col, row);
  if (n < 1 || n > ShownMonthLength()) return std::nullopt;
  return DayOfMonth(n);
}

std::string TCalendar::HintOfCell(int col, int row) const {
  const std::optional<TDateTime> date = DateOfCell(col, row);
  if (!date) return {};
  std::string hint = SpokenDay(*date);
  if (showWeekNumbers_) hint += " \u2014 semaine " + std::to_string(IsoWeekOf(*date).Week);
  return hint;
}

std::string TCalendar::SpokenDay(TDateTime date) const {
  std::string text = SpokenDate(date);
  if (showHolidays_) {
    const DateParts parts = SplitDate(date);
    if (const auto holiday = HolidayName(parts.year, parts.month, parts.day)) {
      text += " \u2014 ";
      text += *holiday;
    }
  }
  return text;
}

std::string SpokenDate(TDateTime date) {
  const DateLocale& locale = CurrentDateLocale();
  std::string text = FormatDateValue("dddddd", date, locale);
  const std::string& day = locale.DayNames[static_cast<std::size_t>(WeekdayNumber(date) - 1)];
  if (!day.empty() && text.find(day) == std::string::npos) text = day + " " + text;
  return text;
}

// Defined for months 1..12; any other month has no days, so encoding a day in it fails.
int TCalendar::MonthLength(int year, int month) const {
  return dorvane::MonthLength(year, month);
}

int TCalendar::ShownMonthLength() const {
  const DateParts parts = SplitDate(selectedDate_);
  return MonthLength(parts.year, parts.month);
}

bool TCalendar::YearIsLeap(int year) const {
  return dorvane::YearIsLeap(year);
}

void TCalendar::RefreshLayout() {
  refreshing_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{refreshing_};

  const DateParts parts = SplitDate(selectedDate_);
  const int weekday = WeekdayNumber(MakeDate(parts.year, parts.month, 1));  // 1 = Sunday
  const int a = (weekday - startOfWeek_ + 7) % 7;
  // The 1st stands in column a - 1 of row 1, or in column 6 when a is 0, so that row 1 is
  // never blank.
  dayOffset_ = a == 0 ? -5 : 2 - a;
  holidayDays_ = showHolidays_ ? HolidayDaysOf(parts.year, parts.month) : 0;
  const int k = parts.day - dayOffset_;
  PlaceCurrentCell(GridColumn(k % 7), k / 7 + 1, false);
  InvalidateGrid();
  AnnounceCurrentCell();
}

// A move within a new layout is told once, at its end, with the new date.
void TCalendar::CurrentCellMoved() {
  if (!refreshing_) AnnounceCurrentCell();
}

void TCalendar::AnnounceCurrentCell() {
  const Announced shown{CurrentCell(), DateOfCell(Col(), Row())};
  if (shown == announced_) return;
  announced_ = shown;
  if (Host() != nullptr) Host()->CurrentCellChanged();
}

bool TCalendar::CanSelectCell(int col, int row) {
  if (readOnly_ && !refreshing_) return false;
  if (!DateOfCell(col, row)) return false;
  return TCustomGrid::CanSelectCell(col, row);
}

void TCalendar::HandleClick() {
  TCustomGrid::HandleClick();
  const std::string text = TextOfCell(Col(), Row());
  if (const auto day = ReadDigits<unsigned>(text)) SetDatePart(3, static_cast<int>(*day));
}

void TCalendar::NotifyDateChange() {
  if (OnChange) OnChange(*this);
}

// The highlight may have moved during the press; it goes back to the date, which never changed.
void TCalendar::SelectionCancelled() {
  RefreshLayout();
}

void TCalendar::ClientResized(int width, int height) {
  const int w = GridLineWidth();
  // Truncating division; a client too small for the lines leaves empty cells.
  if (showWeekNumbers_) {
    const int room = std::max(width - kColumns * w, 0);
    // The days' truncation goes to the week column, so that the grid fills its width.
    const int day = (room - room * kWeekColumnShare / kShareWhole) / kColumns;
    SetFixedColWidth(room - kColumns * day);
    SetDefaultColWidth(day);
  } else {
    SetFixedColWidth(-1);
    SetDefaultColWidth(std::max((width - 6 * w) / 7, 0));
  }
  SetDefaultRowHeight(std::max((height - 6 * w) / 7, 0));
  InvalidateGrid();
}

void TCalendar::PaintCell(int col, int row, const Rect& rect, TGridDrawState state) {
  Canvas& canvas = PaintCanvas();
  const std::string text = TextOfCell(col, row);
  if (holidayDays_ != 0 && (state & (gdSelected | gdFixed)) == 0 && !text.empty()) {
    // 1 .. 31: the text is a day.
    if ((holidayDays_ >> DayNumberOfCell(col, row)) & 1) canvas.SetTextColor(holidayColor_);
  }
  const Size extent = canvas.TextExtent(text);
  const int x = rect.Left + (rect.Width() - extent.cx) / 2;
  const int y = rect.Top + (rect.Height() - extent.cy) / 2;
  canvas.TextRect(rect, x, y, text);
}

}  // namespace dorvane
