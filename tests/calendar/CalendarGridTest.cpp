#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FakeHost.h"
#include "RecordingCanvas.h"
#include "calendar/Calendar.h"
#include "dates/DateValue.h"

namespace dorvane {
namespace {

using testing::CountCalls;
using testing::FakeHost;
using testing::RecordingCanvas;

// May 2008 with the week starting on Monday: the 1st is a Thursday (column 3), DayOffset -2,
// row 6 is blank and so is column 6 of row 5 (the 32nd). Cells are 41 x 17 in a 293 x 125
// client, so cell (c, r) starts at (42 c, 18 r).
class CalendarGrid : public ::testing::Test {
 protected:
  void SetUp() override {
    cal_.SetHost(&host_);
    cal_.SetStartOfWeek(1);
    cal_.SetSelectedDate(MakeDate(2008, 5, 15));
    cal_.SizeNotice(293, 125);
    cal_.OnChange = [this](TCalendar& sender) { days_.push_back(sender.Day()); };
  }

  static Point Centre(int col, int row) { return {col * 42 + 20, row * 18 + 8}; }
  void Press(Point p, TMouseButton b = TMouseButton::mbLeft, bool dbl = false) {
    cal_.MouseDown(b, 0, p.x, p.y, dbl);
  }
  void Move(Point p) { cal_.MouseMove(0, p.x, p.y); }
  void Release(Point p) { cal_.MouseUp(TMouseButton::mbLeft, 0, p.x, p.y); }
  std::string Current() const { return cal_.TextOfCell(cal_.Col(), cal_.Row()); }
  std::vector<std::string> PaintCalls() { return testing::Painted(cal_); }
  // Each painted cell's text (blank for none) and its colour, in the order they are painted.
  static std::vector<std::pair<std::string, std::string>> Texts(
      const std::vector<std::string>& calls) {
    std::vector<std::pair<std::string, std::string>> texts;
    for (const std::string& call : calls) {
      if (call.rfind("TextRect", 0) != 0) continue;
      std::istringstream s(call);
      std::string op, rect, x, y, text, colour;
      s >> op >> rect >> x >> y >> text >> colour;
      texts.emplace_back(text.rfind("0x", 0) == 0 ? "" : text, colour);
    }
    return texts;
  }

  FakeHost host_;
  TCalendar cal_;
  std::vector<int> days_;
};

TEST_F(CalendarGrid, SizeNoticeSetsCellSize) {
  struct Case {
    int width, height, line, colWidth, rowHeight;
  };
  for (const Case& c : {Case{293, 125, 1, 41, 17}, Case{296, 125, 1, 41, 17},
                        Case{299, 131, 1, 41, 17}, Case{300, 132, 1, 42, 18},
                        Case{293, 125, 2, 40, 16}, Case{3, 3, 1, 0, 0}, Case{0, 0, 3, 0, 0}}) {
    cal_.SetGridLineWidth(c.line);
    const int repaints = host_.invalidateAllCount;
    cal_.SizeNotice(c.width, c.height);
    EXPECT_EQ(cal_.DefaultColWidth(), c.colWidth) << c.width;
    EXPECT_EQ(cal_.DefaultRowHeight(), c.rowHeight) << c.height;
    EXPECT_GT(host_.invalidateAllCount, repaints);
  }
}

// The header's lines in black and the body's in silver, each centred in the strip after its
// column or row; then the cells row by row, the current one highlighted and, while the grid is
// active, framed.
TEST_F(CalendarGrid, PaintsLinesThenCellsInOrder) {
  host_.active = true;
  const std::vector<std::string> calls = PaintCalls();
  ASSERT_GE(calls.size(), 5u);
  EXPECT_EQ(calls[2],
            "Polyline 0x0 1 41,0-41,18 83,0-83,18 125,0-125,18 167,0-167,18 209,0-209,18 "
            "251,0-251,18 0,17-293,17");
  EXPECT_EQ(calls[4],
            "Polyline 0xc0c0c0 1 41,18-41,125 83,18-83,125 125,18-125,125 167,18-167,125 "
            "209,18-209,125 251,18-251,125 0,35-293,35 0,53-293,53 0,71-293,71 0,89-293,89 "
            "0,107-293,107");
  EXPECT_EQ(CountCalls(calls, "DrawEdge (0,0,41,17)"), 2);  // the header cells stand out

  std::vector<std::string> texts;
  for (const auto& [text, colour] : Texts(calls)) texts.push_back(text);
  ASSERT_EQ(texts.size(), 49u);
  EXPECT_EQ(
      std::vector<std::string>(texts.begin(), texts.begin() + 11),
      (std::vector<std::string>{"Lun", "Mar", "Mer", "Jeu", "Ven", "Sam", "Dim", "", "", "", "1"}));
  EXPECT_EQ(texts[7 + 4 * 7 + 5], "31");
  EXPECT_EQ(texts[48], "");

  const auto at = std::find(calls.begin(), calls.end(), "FillRect (126,54,167,71) 0xff00000d");
  ASSERT_NE(at, calls.end());
  EXPECT_EQ(*(at - 2), "SetBrush 0xff00000d solid");
  EXPECT_EQ(*(at - 1), "SetTextColor 0xff00000e");
  EXPECT_EQ(*(at + 1), "TextRect (126,54,167,71) 140 56 15 0xff00000e 0xff00000d");
  EXPECT_EQ(*(at + 2), "FocusRect (126,54,167,71)");
  EXPECT_EQ(CountCalls(calls, "FocusRect"), 1);
  // A blank day cell is filled with the window colour and gets an empty text.
  EXPECT_EQ(CountCalls(calls, "TextRect (0,18,41,35) 20 20  0xff000008 0xff000005"), 1);
  // No free strip: the last call belongs to the last cell.
  EXPECT_EQ(calls.back(), "TextRect (252,108,293,125) 272 110  0xff000008 0xff000005");

  host_.active = false;
  const std::vector<std::string> inactive = PaintCalls();
  EXPECT_EQ(CountCalls(inactive, "FillRect (126,54,167,71) 0xff00000d"), 1);
  EXPECT_EQ(CountCalls(inactive, "FocusRect"), 0);
}

// A client wider than the grid gets the last column's line and a free strip at the right;
// a higher one, a free strip below.
TEST_F(CalendarGrid, FreeStripsBesideAndBelowTheGrid) {
  cal_.SizeNotice(296, 125);
  const std::vector<std::string> calls = PaintCalls();
  EXPECT_TRUE(calls[2].ends_with(" 251,0-251,18 293,0-293,18 0,17-294,17")) << calls[2];
  EXPECT_EQ(calls[calls.size() - 2], "SetBrush 0xff000005 solid");
  EXPECT_EQ(calls.back(), "FillRect (294,0,296,125) 0xff000005");
  cal_.SizeNotice(293, 130);  // rows of 17, grid 126 high
  EXPECT_EQ(PaintCalls().back(), "FillRect (0,126,293,130) 0xff000005");
}

// Without Ctl3D the edge is one pixel of the window frame's colour all round, the client one
// pixel in from each side, and the header cells are flat; without a border there is none.
TEST_F(CalendarGrid, FlatBorderIsOnePixelWide) {
  struct Pixels : RecordingCanvas {  // a 6 x 4 area, '#' where filled with the frame's colour
    std::vector<std::string> rows = std::vector<std::string>(4, "......");
    void FillRect(const Rect& r) override {
      for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
          rows.at(y).at(x) = brush.Color == clWindowFrame ? '#' : '?';
    }
  } single, none;
  cal_.SetCtl3D(false);
  cal_.WindowResized(297, 129);
  EXPECT_EQ(cal_.ClientWidth(), 295);
  EXPECT_EQ(cal_.ClientHeight(), 127);
  EXPECT_EQ(CountCalls(PaintCalls(), "DrawEdge"), 0);
  cal_.PaintBorder(single, {0, 0, 6, 4});
  EXPECT_EQ(single.rows, (std::vector<std::string>{"######", "#....#", "#....#", "######"}));
  cal_.SetBorderStyle(TBorderStyle::bsNone);
  cal_.WindowResized(297, 129);
  EXPECT_EQ(cal_.ClientWidth(), 297);
  cal_.PaintBorder(none, {0, 0, 6, 4});
  EXPECT_TRUE(none.calls.empty());
  EXPECT_EQ(none.rows, std::vector<std::string>(4, "......"));
}

TEST_F(CalendarGrid, SilverBackgroundGetsGrayLines) {
  cal_.SetColor(clSilver);
  const std::vector<std::string> calls = PaintCalls();
  EXPECT_EQ(calls[3], "SetPen 0x808080 1 0");
  cal_.SetOptions(cal_.Options() & ~goHorzLine);
  const std::vector<std::string> off = PaintCalls();
  EXPECT_EQ(off[3], "SetPen 0x808080 1 0");
  EXPECT_EQ(off[5], "SetPen 0xc0c0c0 1 0");  // horizontal lines in the background colour
}

TEST_F(CalendarGrid, TextWiderThanTheCellIsCentredAndCutAndPartialPaintsSkipCells) {
  cal_.SizeNotice(70, 70);  // 9-pixel columns: "Lun" is 18 pixels wide
  EXPECT_EQ(CountCalls(PaintCalls(), "TextRect (0,0,9,9) -4 -2 Lun 0xff000008 0xff00000f"), 1);
  // A paint of part of the client paints only the cells it touches.
  RecordingCanvas canvas;
  cal_.Paint(canvas, cal_.CellRect(3, 3));
  EXPECT_EQ(CountCalls(canvas.calls, "TextRect"), 1);
}

TEST_F(CalendarGrid, PlaceCurrentCellRangeErrorAndRepaints) {
  for (GridCoord c : {GridCoord{7, 1}, GridCoord{-1, 1}, GridCoord{0, 7}, GridCoord{0, -1}}) {
    try {
      cal_.PlaceCurrentCell(c.col, c.row, true);
      FAIL() << c.col << "," << c.row;
    } catch (const EGridRangeError& e) {
      EXPECT_STREQ(e.what(), "Indice de grille hors limites");
    }
  }
  host_.invalidated.clear();
  cal_.PlaceCurrentCell(4, 3, true);  // the 16th
  EXPECT_EQ(host_.invalidated, (std::vector{cal_.WindowCellRect(3, 3), cal_.WindowCellRect(4, 3)}));
  EXPECT_EQ(Current(), "16");
  EXPECT_TRUE(days_.empty());  // no click, so the date stays
  EXPECT_EQ(cal_.Day(), 15);
  cal_.PlaceCurrentCell(3, 0, true);  // the header row never becomes current
  EXPECT_EQ(Current(), "16");
  host_.invalidated.clear();
  cal_.FocusChanged(true);  // the current cell shows the focus, or no longer does
  cal_.FocusChanged(false);
  EXPECT_EQ(host_.invalidated, (std::vector{cal_.WindowCellRect(4, 3), cal_.WindowCellRect(4, 3)}));
}

TEST_F(CalendarGrid, DragSelectsOnReleaseWithOneNotice) {
  Press(Centre(5, 2));  // the 10th
  EXPECT_EQ(cal_.MouseState(), TGridMouseState::Selecting);
  EXPECT_EQ(host_.timerInterval, 60);
  EXPECT_TRUE(host_.active);
  EXPECT_EQ(Current(), "10");
  Move(Centre(6, 2));
  EXPECT_EQ(Current(), "11");
  Move(Centre(6, 6));  // blank: the cell stays
  EXPECT_EQ(Current(), "11");
  EXPECT_TRUE(days_.empty());
  Release(Centre(0, 3));
  EXPECT_EQ(days_, std::vector<int>{12});
  EXPECT_EQ(cal_.Day(), 12);
  EXPECT_EQ(cal_.MouseState(), TGridMouseState::Normal);
  EXPECT_EQ(host_.timerInterval, 0);
  EXPECT_FALSE(cal_.UseCurrentDate());

  // An abandoned drag puts the cell back (that the date stays is the window suite's drag).
  Press(Centre(5, 2));
  Move(Centre(6, 2));
  cal_.FocusChanged(false);  // the focus taken away ends the press
  EXPECT_EQ(cal_.MouseState(), TGridMouseState::Normal);
  EXPECT_EQ(host_.timerInterval, 0);
  cal_.CancelMode();  // outside a press: nothing
  EXPECT_EQ(Current(), "12");
}

// A blank cell, the header, a double click and the other buttons select nothing; nor does a
// press that does not make the grid active, which lets the pointer go.
TEST_F(CalendarGrid, PressesThatSelectNothing) {
  Press(Centre(0, 1));  // blank
  EXPECT_EQ(cal_.MouseState(), TGridMouseState::Selecting);
  Release(Centre(0, 1));
  Press(Centre(2, 0));  // header
  EXPECT_EQ(cal_.MouseState(), TGridMouseState::Normal);
  EXPECT_EQ(host_.timerInterval, 0);
  Release(Centre(2, 0));
  int doubles = 0;
  cal_.OnDblClick = [&](TCustomGrid&) { ++doubles; };
  Press(Centre(4, 3), TMouseButton::mbLeft, true);
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(cal_.MouseState(), TGridMouseState::Normal);
  host_.active = false;
  Press(Centre(4, 3), TMouseButton::mbRight);
  EXPECT_TRUE(host_.active);
  host_.active = false;
  host_.refuseFocus = true;
  const int released = host_.releaseCount;
  Press(Centre(4, 3));
  EXPECT_EQ(host_.releaseCount, released + 1);
  EXPECT_EQ(cal_.MouseState(), TGridMouseState::Normal);
  EXPECT_EQ(Current(), "15");
  EXPECT_TRUE(days_.empty());
}

TEST_F(CalendarGrid, TimerWalksTowardsThePointerOutside) {
  struct Case {
    const char* name;
    Point startCell;
    Point pointer;
    std::vector<std::string> walk;  // the current cell after each tick
  };
  const std::vector<Case> cases{
      {"up", {3, 3}, {140, -5}, {"8", "1", "1"}},
      {"up over header", {3, 3}, {140, 10}, {"8", "1"}},
      {"up stopped by blank", {0, 3}, {20, -5}, {"5", "5"}},
      {"left", {3, 3}, {-1, 60}, {"14", "13", "12", "12"}},
      {"right", {3, 3}, {293, 60}, {"16", "17", "18", "18"}},
      {"down", {3, 3}, {140, 125}, {"22", "29", "29"}},
      {"down-left corner", {3, 3}, {-5, 200}, {"21", "27", "27"}},
      {"inside: no step", {3, 3}, Centre(3, 3), {"15"}},
  };
  for (const Case& c : cases) {
    cal_.SetSelectedDate(MakeDate(2008, 5, 15));
    cal_.PlaceCurrentCell(c.startCell.x, c.startCell.y, true);
    const std::string start = Current();
    days_.clear();
    Press(Centre(c.startCell.x, c.startCell.y));
    Move(c.pointer);
    for (const std::string& expected : c.walk) {
      cal_.TimerTick();
      EXPECT_EQ(Current(), expected) << c.name;
    }
    EXPECT_TRUE(days_.empty()) << c.name;
    Release(c.pointer);
    if (c.walk.back() == start) {
      EXPECT_TRUE(days_.empty()) << c.name;
    } else {
      EXPECT_EQ(days_, std::vector<int>{std::stoi(c.walk.back())}) << c.name;
    }
    cal_.TimerTick();  // no longer selecting
    EXPECT_EQ(Current(), c.walk.back()) << c.name;
  }
}

TEST_F(CalendarGrid, KeysMoveAsTabledAndOthersAreLeftAlone) {
  const struct {
    const char* name;
    int month;  // of 2008
    int startDay;
    std::uint16_t key;
    TShiftState shift;
    int endDay;
  } cases[] = {
      {"LeftOnThe1stIsBlank", 5, 1, VK_LEFT, 0, 1},
      {"HomeOnThe1stIsBlank", 5, 1, VK_HOME, 0, 1},
      {"CtrlHomeIsBlank", 5, 1, VK_HOME, ssCtrl, 1},
      {"EndInRow1", 5, 1, VK_END, 0, 4},
      {"UpInRow1", 5, 2, VK_UP, 0, 2},
      {"LeftInColumn0", 5, 12, VK_LEFT, 0, 12},
      {"Left", 5, 15, VK_LEFT, 0, 14},
      {"ShiftLeftIsLeft", 5, 15, VK_LEFT, ssShift, 14},
      {"Right", 5, 15, VK_RIGHT, 0, 16},
      {"RightDoesNotWrap", 5, 18, VK_RIGHT, 0, 18},
      {"Down", 5, 15, VK_DOWN, 0, 22},
      {"DownOntoBlank", 5, 29, VK_DOWN, 0, 29},
      {"CtrlUpDoesNotMove", 5, 15, VK_UP, ssCtrl, 15},
      {"CtrlLeftIsAPage", 5, 18, VK_LEFT, ssCtrl, 12},
      {"CtrlRightIsAPage", 5, 12, VK_RIGHT, ssCtrl, 18},
      {"CtrlRightClamped", 5, 14, VK_RIGHT, ssCtrl, 18},
      {"Home", 5, 15, VK_HOME, 0, 12},
      {"End", 5, 15, VK_END, 0, 18},
      {"CtrlEndIsBlank", 5, 15, VK_END, ssCtrl, 15},
      {"PageUpClampedToRow1", 5, 15, VK_PRIOR, 0, 1},
      {"PageDownClampedToRow6Blank", 5, 15, VK_NEXT, 0, 15},
      {"CtrlPageUp", 5, 29, VK_PRIOR, ssCtrl, 1},
      {"CtrlPageDownBlank", 5, 8, VK_NEXT, ssCtrl, 8},
      // June 2008 ends on row 6, March 2008 too.
      {"PageDownOntoRow6", 6, 2, VK_NEXT, 0, 30},
      {"CtrlHomeInColumn6", 6, 1, VK_HOME, ssCtrl, 1},
      {"CtrlPageDownOntoRow6", 3, 10, VK_NEXT, ssCtrl, 31},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    cal_.SetSelectedDate(MakeDate(2008, k.month, k.startDay));
    days_.clear();
    EXPECT_TRUE(cal_.KeyDown(k.key, k.shift));
    EXPECT_EQ(cal_.Day(), k.endDay);
    EXPECT_EQ(Current(), std::to_string(k.endDay));
    EXPECT_EQ(days_, k.endDay == k.startDay ? std::vector<int>{} : std::vector<int>{k.endDay});
  }
  // Other keys are left alone, and so are the keys the handler clears.
  cal_.SetSelectedDate(MakeDate(2008, 5, 15));
  days_.clear();
  EXPECT_FALSE(cal_.KeyDown(0x0D, 0));  // Enter
  EXPECT_FALSE(cal_.KeyDown(0x71, 0));  // F2
  cal_.OnKeyDown = [](TCustomGrid&, std::uint16_t& key, TShiftState) {
    if (key == VK_RIGHT) key = 0;
  };
  EXPECT_TRUE(cal_.KeyDown(VK_RIGHT, 0));
  EXPECT_EQ(cal_.Day(), 15);
  EXPECT_TRUE(days_.empty());
}

TEST_F(CalendarGrid, PageSizesFollowTheVisibleCells) {
  // Wider lines without a new size notice: row 6 and column 6 no longer end inside the
  // client, so the pages shrink to 4 rows and 5 columns.
  cal_.SetGridLineWidth(3);
  cal_.SetDay(1);
  cal_.KeyDown(VK_NEXT, 0);
  EXPECT_EQ(cal_.Day(), 29);
  cal_.KeyDown(VK_PRIOR, ssCtrl);
  EXPECT_EQ(cal_.Day(), 1);
  cal_.KeyDown(VK_NEXT, ssCtrl);  // the last fully visible row
  EXPECT_EQ(cal_.Day(), 29);
  cal_.SetDay(12);
  cal_.KeyDown(VK_RIGHT, ssCtrl);
  EXPECT_EQ(cal_.Day(), 17);
}

TEST_F(CalendarGrid, WheelAccumulatesWholeSteps) {
  EXPECT_FALSE(cal_.MouseWheel(60));
  EXPECT_EQ(cal_.Day(), 15);
  EXPECT_TRUE(cal_.MouseWheel(60));
  EXPECT_EQ(cal_.Day(), 8);
  EXPECT_TRUE(cal_.MouseWheel(-250));  // two steps down, -10 kept
  EXPECT_EQ(cal_.Day(), 22);
  EXPECT_FALSE(cal_.MouseWheel(120));  // -10 + 120 = 110: no step
  EXPECT_TRUE(cal_.MouseWheel(10));
  EXPECT_EQ(cal_.Day(), 15);
  EXPECT_EQ(days_, (std::vector<int>{8, 15, 22, 15}));
  cal_.MouseWheel(-120 * 3);  // 22, 29, then a blank below
  EXPECT_EQ(cal_.Day(), 29);
  cal_.SetDay(1);
  days_.clear();
  EXPECT_TRUE(cal_.MouseWheel(120));  // row 1: nothing above
  EXPECT_EQ(cal_.Day(), 1);
  EXPECT_TRUE(days_.empty());
}

TEST_F(CalendarGrid, ReadOnlyRefusesEveryUserMove) {
  cal_.SetReadOnly(true);
  Press(Centre(4, 3));
  Move(Centre(5, 3));
  cal_.TimerTick();
  Release(Centre(5, 3));
  for (std::uint16_t key :
       {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END, VK_PRIOR, VK_NEXT}) {
    cal_.KeyDown(key, 0);
    cal_.KeyDown(key, ssCtrl);
  }
  cal_.MouseWheel(120);
  cal_.MouseWheel(-240);
  EXPECT_EQ(Current(), "15");
  EXPECT_EQ(cal_.Day(), 15);
  EXPECT_TRUE(days_.empty());
}

// With the week column and the holidays: the grid keeps its width, the day columns sharing what
// the week column leaves; holidays' numbers are in their colour, the current day keeps the
// highlight's, and neither the week column nor an ordinary day takes the holiday colour.
TEST_F(CalendarGrid, WeekColumnAndHolidaysColour) {
  cal_.SetShowWeekNumbers(true);
  cal_.SetShowHolidays(true);
  cal_.SetSelectedDate(MakeDate(2008, 5, 8));  // Victoire 1945, current
  EXPECT_EQ(cal_.CellRect(7, 0).Right, 293);
  EXPECT_LT(cal_.CellRect(0, 0).Width(), cal_.CellRect(1, 0).Width());
  std::map<std::string, std::string> colours;  // text -> its colour
  for (const auto& [text, colour] : Texts(PaintCalls())) colours[text] = colour;
  const std::string holiday = "0x80";  // clMaroon
  EXPECT_EQ(colours["1"], holiday);    // Fête du Travail and Ascension
  EXPECT_EQ(colours["12"], holiday);   // Lundi de Pentecôte
  EXPECT_EQ(colours["8"], "0xff00000e");
  EXPECT_EQ(colours["9"], "0xff000008");
  EXPECT_EQ(colours["Sem."], "0xff000008");
}

}  // namespace
}  // namespace dorvane
