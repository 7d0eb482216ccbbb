// The window scenarios, written once and run on each front end through its driver: what a user
// does to the program's windows and what they then show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ClockOverride.h"
#include "Driver.h"
#include "FakePlatform.h"
#include "calendar/CalendarTable.h"
#include "dates/Captions.h"
#include "dates/DateValue.h"
#include "dates/Formatting.h"
#include "dates/Moon.h"
#include "forms/About.h"
#include "forms/MainForm.h"
#include "forms/_Recherche.h"
#include "gfx/HighContrast.h"
#include "platform/MemoryStatus.h"
#include "platform/Services.h"

namespace dorvane::ui {
namespace {

class Window_ : public ::testing::Test {
 protected:
  void SetUp() override { driver = MakeDriver(); }
  // The user's stored choices: none, in memory, whatever the machine's user chose.
  testing::FakeSettings settings;
  platform::ServicesScope settingsScope{{.settings = &settings}};

  void TearDown() override { driver.reset(); }

  DateParts Day() { return SplitDate(driver->Grid().SelectedDate()); }
  void Show(int year, int month, int day) {
    driver->Grid().SetSelectedDate(MakeDate(year, month, day));
    driver->Process();
  }
  // Types a date into the search dialog's fields.
  void TypeDate(std::string_view day, std::string_view month, std::string_view year) {
    driver->Type(ui::Window::kSearch, "Edit3", day);
    driver->Type(ui::Window::kSearch, "Edit2", month);
    driver->Type(ui::Window::kSearch, "Edit1", year);
  }
  Size MainSize() const { return {TForm1::kLayout.clientWidth, TForm1::kLayout.clientHeight}; }

  std::unique_ptr<Driver> driver;
};
using Window = Window_;
using W = ui::Window;

// A pixel's colour (0xRRGGBB) as the program's colours are written.
TColor ColorOfRgb(std::uint32_t rgb) {
  return RGB(static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
             static_cast<std::uint8_t>(rgb));
}

// How far a control's text or picture stands from what lies behind it: the background is the
// picture's commonest colour; the ink is what its strongest tenth of the other pixels shows
// (smoothing leaves most of a small text's pixels paler than its colour); 1 when nothing stands
// on the background.
double ForegroundContrast(const Picture& picture) {
  std::map<TColor, int> counts;
  for (const std::uint32_t rgb : picture.rgb) ++counts[ColorOfRgb(rgb)];
  const TColor background =
      std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
        return a.second < b.second;
      })->first;
  std::vector<double> ratios;
  for (const std::uint32_t rgb : picture.rgb) {
    const TColor pixel = ColorOfRgb(rgb);
    if (pixel != background) ratios.push_back(ContrastRatio(pixel, background));
  }
  if (ratios.empty()) return 1.0;
  std::sort(ratios.begin(), ratios.end());
  return ratios[ratios.size() * 9 / 10];
}

// Each tool button and the menu item of the same role run the same command.
TEST_F(Window, ToolButtonsAndMenuItemsRunTheirCommands) {
  const DateParts today = SplitDate(TodayDate());
  struct Row {
    std::string_view button;
    std::string_view item;
    DateParts shown;
  } const rows[] = {
      {"tlbtnAnAvant", "Anneprcdente1", {2004, 3, 7}},
      {"tlbtnMAvant", "Moisprcdent1", {2005, 2, 7}},
      {"tlbtnMActuel", "Moisactuel1", today},
      {"tlbtnMApres", "Moissuivant1", {2005, 4, 7}},
      {"tlbtnAnApres", "Annesuivante1", {2006, 3, 7}},
  };
  for (const Row& row : rows) {
    for (const bool byMenu : {false, true}) {
      SCOPED_TRACE(byMenu ? row.item : row.button);
      Show(2005, 3, 7);
      byMenu ? driver->ChooseMenu(row.item) : driver->ClickTool(row.button);
      EXPECT_EQ(Day(), row.shown);
      EXPECT_EQ(driver->Text(W::kMain, "RxLabel1"), MonthBannerText(driver->Grid().SelectedDate()));
    }
  }
  // A step past the last valid year fails in the error box, and the program goes on.
  Show(9999, 6, 15);
  driver->ClickTool("tlbtnAnApres");
  EXPECT_EQ(driver->TakeErrorBoxes(),
            std::vector<std::string>{"Dorvane: Argument incorrect pour l'encodage de date."});
  driver->ClickTool("tlbtnMAvant");
  EXPECT_EQ(Day(), (DateParts{9999, 5, 15}));
}

TEST_F(Window, ToolButtonsShowTheirHints) {
  for (const ToolButtonLayout& button : TForm1::kLayout.toolButtons) {
    if (button.image == ToolButtonLayout::kSeparator) continue;
    EXPECT_EQ(driver->ToolTip(W::kMain, button.name), button.hint) << button.name;
  }
}

// The search command shows the dialog emptied, the focus in the day field; Tab visits the day,
// month and year, then the buttons.
TEST_F(Window, SearchOpensEmptyWithTheDayFieldFocused) {
  for (const bool byMenu : {false, true}) {
    driver->Type(W::kSearch, "Edit1", "2005");
    byMenu ? driver->ChooseMenu("RechercherDate1") : driver->ClickTool("tlbtnRechercher");
    EXPECT_TRUE(driver->Visible(W::kSearch));
    EXPECT_EQ(driver->Text(W::kSearch, "Edit1"), "");
    EXPECT_EQ(driver->Focus(), "Edit3");
    for (const std::string_view next : {"Edit2", "Edit1", "btnAfficher", "Button1", "Edit3"}) {
      driver->Press(W::kSearch, "", Key::kTab);
      EXPECT_EQ(driver->Focus(), next);
    }
    driver->ClickButton(W::kSearch, "Button1");
    EXPECT_FALSE(driver->Visible(W::kSearch));
  }
}

// Typed dates through the real fields and button: failures in the error box, the grid moved
// only by a valid date.
TEST_F(Window, SearchShowsTypedDatesAndReportsErrors) {
  struct Row {
    std::string_view day, month, year;
    std::string_view box;  // empty: none
    DateParts shown;
  } const rows[] = {
      {"", "", "", "Dorvane: '' n'est pas une valeur entière correcte.", {2005, 3, 7}},
      {"1", "1", "0", "Dorvane: Argument incorrect pour l'encodage de date.", {2005, 3, 7}},
      {"31", "2", "2005", "Dorvane: Argument incorrect pour l'encodage de date.", {2005, 3, 7}},
      {"31", "12", "9999", "", {9999, 12, 31}},
      {"29", "2", "2004", "", {2004, 2, 29}},
      {"5", "3", "200577", "", {2005, 3, 5}},  // four figures at most
  };
  driver->ClickTool("tlbtnRechercher");
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.day) + "/" + std::string(row.month) + "/" + std::string(row.year));
    Show(2005, 3, 7);
    TypeDate(row.day, row.month, row.year);
    driver->ClickButton(W::kSearch, "btnAfficher");
    EXPECT_EQ(driver->TakeErrorBoxes(), row.box.empty()
                                            ? std::vector<std::string>{}
                                            : std::vector<std::string>{std::string(row.box)});
    EXPECT_EQ(Day(), row.shown);
    // A field that is no number is reported before the main window comes forward: the dialog
    // keeps the activation, its focus back on the button; otherwise the main window came forward.
    const bool numbers = !row.day.empty();
    EXPECT_TRUE(driver->Active(numbers ? W::kMain : W::kSearch));
    if (!numbers) {
      EXPECT_EQ(driver->Focus(), "btnAfficher");
    }
  }
  // Each label holds its whole text, in the system's font as it may be.
  for (const char* label : {"Label1", "Label2", "Label3"}) {
    EXPECT_TRUE(driver->TextFits(W::kSearch, label)) << label;
  }
}

// "Afficher" brings the main window forward, active (under Wine, shown anew for the window
// manager to activate it), at its size, even from minimised; the dialog stays open behind it.
TEST_F(Window, AShownDateLeavesTheMainWindowActive) {
  driver->ClickTool("tlbtnRechercher");
  EXPECT_TRUE(driver->Active(W::kSearch));
  driver->Show(W::kMain, Shown::kMinimised);
  TypeDate("8", "5", "1945");
  driver->ClickButton(W::kSearch, "btnAfficher");
  EXPECT_EQ(Day(), (DateParts{1945, 5, 8}));
  EXPECT_TRUE(driver->Active(W::kMain));
  EXPECT_TRUE(driver->Visible(W::kSearch));
  EXPECT_EQ(driver->ClientSize(W::kMain), MainSize());
}

// The date fields take digits only: letters, signs and the editing shortcuts (which would
// paste or restore anything) change nothing.
TEST_F(Window, DateFieldsRefuseAllButDigits) {
  driver->ClickTool("tlbtnRechercher");
  for (const char* field : {"Edit3", "Edit2", "Edit1"}) {
    driver->Type(W::kSearch, field, "a1-b +2.\x16\x18\x1a");
    EXPECT_EQ(driver->Text(W::kSearch, field), "12") << field;
    for (const auto& [key, mods] : {std::pair{Key::kInsert, Modifiers{.shift = true}},
                                    std::pair{Key::kDelete, Modifiers{.shift = true}}}) {
      driver->Press(W::kSearch, field, key, mods);
      EXPECT_EQ(driver->Text(W::kSearch, field), "12") << field;
    }
  }
}

// Enter presses a focused button and nothing else; Escape closes nothing (the dialog has
// neither a default nor a cancel button).
TEST_F(Window, EnterPressesOnlyAFocusedButton) {
  driver->ClickTool("tlbtnRechercher");
  TypeDate("29", "2", "2004");
  for (const Key key : {Key::kEnter, Key::kEscape}) driver->Press(W::kSearch, "Edit3", key);
  driver->Press(W::kSearch, "btnAfficher", Key::kEscape);
  EXPECT_EQ(Day(), (DateParts{2005, 3, 7}));
  EXPECT_TRUE(driver->Visible(W::kSearch));
  driver->Press(W::kSearch, "btnAfficher", Key::kEnter);
  EXPECT_EQ(Day(), (DateParts{2004, 2, 29}));
  driver->Press(W::kSearch, "Button1", Key::kEnter);
  EXPECT_FALSE(driver->Visible(W::kSearch));
}

// The About dialog is modal and stands in the middle of the screen: while it shows, the main
// window takes no input, but its clock goes on. A memory figure past 32 bits widens it: its
// banner and its button follow the new width, and every text fits. Its etched separator shows
// both its lines, black over white, whichever of the two is on top: the lines that show through
// one another follow a change of their order.
TEST_F(Window, AboutIsModalWidensAndTheClockGoesOn) {
  testing::ClockOverride clock({2005, 3, 7, 8, 0, 0, 0});
  const platform::FixedMemoryStatus memory{platform::MemoryFigures{68719476736ull * 1024, 63}};
  platform::ServicesScope scope({.memory = &memory});
  bool shown = false;
  driver->WhileModal([&] {
    shown = driver->Visible(W::kAbout);
    EXPECT_FALSE(driver->Enabled(W::kMain));
    EXPECT_EQ(driver->Text(W::kAbout, "Label1"), "Dorvane");
    EXPECT_TRUE(driver->CentredOnScreen(W::kAbout));
    clock.Set({2005, 3, 7, 9, 30, 15, 0});
    driver->TickClock();
    EXPECT_EQ(driver->PanelText(2), ClockText(CurrentMoment()));
    const int width = driver->ClientSize(W::kAbout).width;
    const Span banner = driver->HorizontalSpan(W::kAbout, "Image1");
    const Span ok = driver->HorizontalSpan(W::kAbout, "Button1");
    EXPECT_GT(width, TFAbout::kLayout.clientWidth);
    EXPECT_LE(driver->HorizontalSpan(W::kAbout, "lblPhysMem").right, width);
    EXPECT_EQ(banner.left, 0);
    EXPECT_EQ(banner.right, width);
    EXPECT_EQ(width - ok.right, TFAbout::kLayout.clientWidth - (208 + 74));
    EXPECT_TRUE(driver->TextFits(W::kAbout, "lblPhysMem"));
    for (const char* upper : {"Line1", "Line2", "Line1"}) {
      driver->Raise(W::kAbout, upper);
      // x = 150, y = 162 and 163 in the dialog.
      EXPECT_EQ(driver->Capture(W::kAbout, "Line1").At(64, 4), 0x000000u) << upper;
      EXPECT_EQ(driver->Capture(W::kAbout, "Line2").At(64, 4), 0xFFFFFFu) << upper;
    }
    // The program's logo stands over the banner's left end.
    const Picture logo = driver->Capture(W::kAbout, "Logo");
    EXPECT_GT(std::set<std::uint32_t>(logo.rgb.begin(), logo.rgb.end()).size(), 4u);
  });
  driver->ChooseMenu("Aproposde1");
  EXPECT_TRUE(shown);
  EXPECT_TRUE(driver->Enabled(W::kMain));
}

// The About dialog closes by its button, with the mouse, Enter or Space, but Escape leaves it.
TEST_F(Window, AboutClosesByItsButtonOnly) {
  const struct {
    Key key;
    bool closes;
  } rows[] = {{Key::kEnter, true}, {Key::kSpace, true}, {Key::kEscape, false}};
  for (const auto& row : rows) {
    bool shownAfter = true;
    driver->WhileModal([&] {
      EXPECT_EQ(driver->Focus(), "Button1");
      driver->Press(W::kAbout, "Button1", row.key);
      shownAfter = driver->Visible(W::kAbout);
    });
    driver->ChooseMenu("Aproposde1");
    EXPECT_EQ(shownAfter, !row.closes) << static_cast<int>(row.key);
  }
  driver->WhileModal([&] { driver->ClickButton(W::kAbout, "Button1"); });
  driver->ChooseMenu("Aproposde1");
  EXPECT_TRUE(driver->Enabled(W::kMain));
}

// Through minimising and restoring, and however a new size is asked for, the main window keeps
// its own.
TEST_F(Window, SizeHoldsThroughMinimiseResizeAndMaximise) {
  ASSERT_EQ(driver->ClientSize(W::kMain), MainSize());
  driver->Show(W::kMain, Shown::kMinimised);
  driver->Show(W::kMain, Shown::kNormal);
  EXPECT_EQ(driver->ClientSize(W::kMain), MainSize());
  EXPECT_EQ(driver->Text(W::kMain, "RxLabel1"), MonthBannerText(MakeDate(2005, 3, 7)));
  driver->RequestClientSize(W::kMain, {MainSize().width + 40, MainSize().height + 40});
  EXPECT_EQ(driver->ClientSize(W::kMain), MainSize());
  driver->RequestClientSize(W::kMain, {50, 50});
  EXPECT_EQ(driver->ClientSize(W::kMain), MainSize());
  driver->Show(W::kMain, Shown::kMaximised);
  EXPECT_EQ(driver->ClientSize(W::kMain), MainSize());
  driver->Show(W::kMain, Shown::kNormal);
  EXPECT_EQ(driver->ClientSize(W::kMain), MainSize());
  // The search dialog may grow, but never shrinks below its fields.
  const Size search{TForm2::kLayout.clientWidth, TForm2::kLayout.clientHeight};
  driver->RequestClientSize(W::kSearch, {50, 50});
  EXPECT_EQ(driver->ClientSize(W::kSearch), search);
}

// Asked of the window manager itself (its maximise button, its frame), the same.
TEST_F(Window, SizeHoldsAgainstTheWindowManager) {
  if (!driver->ManagerResize(W::kMain, {MainSize().width + 60, MainSize().height + 60}))
    GTEST_SKIP() << "no window manager runs here";
  EXPECT_EQ(driver->ClientSize(W::kMain), MainSize());
  ASSERT_TRUE(driver->ManagerMaximise(W::kMain));
  EXPECT_EQ(driver->ClientSize(W::kMain), MainSize());
  // The manager's requests do reach a window: the search dialog may grow.
  driver->ClickTool("tlbtnRechercher");
  const int width = TForm2::kLayout.clientWidth;
  ASSERT_TRUE(driver->ManagerResize(W::kSearch, {width + 100, TForm2::kLayout.clientHeight + 100}));
  EXPECT_GT(driver->ClientSize(W::kSearch).width, width);
}

// The search dialog's error box stays in front of every window of the program, even when
// the main window is activated behind it.
TEST_F(Window, ErrorBoxStaysInFront) {
  driver->ClickTool("tlbtnRechercher");
  TypeDate("31", "2", "2005");
  bool inFront = false;
  driver->WhileModal([&] {
    driver->Activate(W::kMain);
    inFront = driver->ErrorBoxInFront();
  });
  driver->ClickButton(W::kSearch, "btnAfficher");
  EXPECT_TRUE(inFront);
  EXPECT_EQ(driver->TakeErrorBoxes().size(), 1u);
}

// A text cut by its box shows whole in the box's tooltip; a text that fits has none.
TEST_F(Window, CutTextsShowWholeInTheirTooltips) {
  const std::string wide =
      "Lune : 29° jour  (dernier quartier) <b>et bien plus encore</b> " + std::string(40, 'M');
  driver->SetPanelText(1, wide);
  EXPECT_EQ(driver->ToolTip(W::kMain, "Panel1"), wide);
  driver->SetPanelText(1, "M");
  EXPECT_EQ(driver->ToolTip(W::kMain, "Panel1"), "");
  driver->SetText(W::kMain, "RxLabel2", wide);
  EXPECT_FALSE(driver->TextFits(W::kMain, "RxLabel2"));
  EXPECT_EQ(driver->ToolTip(W::kMain, "RxLabel2"), wide);
  driver->SetText(W::kMain, "RxLabel2", "lundi");
  EXPECT_EQ(driver->ToolTip(W::kMain, "RxLabel2"), "");
  // The clock's texts, the 12-hour ones too, fit whole.
  for (const char* clock : {"23:59:59", "12:00:00 PM", "12:00:00 AM"}) {
    driver->SetPanelText(2, clock);
    EXPECT_EQ(driver->ToolTip(W::kMain, "Panel2"), "") << clock;
  }
}

// The captions follow the grid's date (banner, weekday line, day of the year and moon) on every
// day of a year and at the calendar's ends; the weekday line fits its box, or shows whole in
// its tooltip.
TEST_F(Window, CaptionsFollowTheGridsDateAndFitOrShowTheirTooltip) {
  std::vector<TDateTime> days{MakeDate(1, 1, 1), MakeDate(9999, 12, 31)};
  for (TDateTime day = MakeDate(2026, 1, 1); day <= MakeDate(2026, 12, 31); day += 1)
    days.push_back(day);
  int cut = 0;
  for (const TDateTime day : days) {
    driver->Grid().SetSelectedDate(day);
    driver->Process();
    const std::string text = WeekdayLineText(day);
    EXPECT_EQ(driver->Text(W::kMain, "RxLabel1"), MonthBannerText(day));
    EXPECT_EQ(driver->Text(W::kMain, "RxLabel2"), text);
    EXPECT_EQ(driver->PanelText(0), DayOfYearText(day));
    EXPECT_EQ(driver->PanelText(1), MoonPhaseLine(day));
    const bool fits = driver->TextFits(W::kMain, "RxLabel2");
    cut += fits ? 0 : 1;
    EXPECT_EQ(driver->ToolTip(W::kMain, "RxLabel2"), fits ? "" : text) << text;
  }
  EXPECT_EQ(cut, 0);
}

// A click selects the day under the pointer and gives the grid the focus; the arrows then move
// the day, the captions following. Alt with an arrow is not the grid's, nor is Tab.
TEST_F(Window, GridTakesClicksAndArrows) {
  const TCalendar& grid = driver->Grid();
  driver->ClickCell(grid.Col(), grid.Row() + 1);
  EXPECT_EQ(Day(), (DateParts{2005, 3, 14}));
  EXPECT_EQ(driver->Focus(), "Calendar1");
  struct Press {
    Key key;
    Modifiers mods;
    DateParts shown;
  } const presses[] = {{Key::kRight, {}, {2005, 3, 15}},
                       {Key::kUp, {}, {2005, 3, 8}},
                       {Key::kLeft, {}, {2005, 3, 7}},
                       {Key::kDown, {}, {2005, 3, 14}},
                       {Key::kRight, {.alt = true}, {2005, 3, 14}},
                       {Key::kDown, {.alt = true}, {2005, 3, 14}},
                       {Key::kTab, {}, {2005, 3, 14}},
                       {Key::kEnd, {}, {2005, 3, 20}},
                       {Key::kHome, {.ctrl = true}, {2005, 3, 20}},  // the first cell: blank
                       {Key::kLeft, {}, {2005, 3, 19}}};
  for (const Press& press : presses) {
    driver->Press(W::kMain, "Calendar1", press.key, press.mods);
    EXPECT_EQ(Day(), press.shown) << static_cast<int>(press.key);
  }
  EXPECT_EQ(driver->PanelText(0), DayOfYearText(grid.SelectedDate()));
  // A blank cell is refused, silently.
  Show(2005, 2, 7);  // February 2005 starts on a Tuesday: the first cell is blank
  driver->ClickCell(0, 1);
  EXPECT_EQ(Day(), (DateParts{2005, 2, 7}));
  EXPECT_TRUE(driver->TakeErrorBoxes().empty());
}

// A drag selects the day where the button is released, and only then do the captions follow;
// held above the grid, it walks up to the first row of days; it is abandoned when the grid loses
// the focus. The wheel turns the grid a week a notch once it has the focus, over the banner too.
TEST_F(Window, GridFollowsADragAndTheWheel) {
  const std::string weekday = driver->Text(W::kMain, "RxLabel2");
  driver->Wheel("Calendar1", -120);
  EXPECT_EQ(Day(), (DateParts{2005, 3, 7}));
  driver->MouseOnCell(Mouse::kPress, 0, 2);
  driver->MouseOnCell(Mouse::kMove, 1, 2);
  EXPECT_EQ(driver->Text(W::kMain, "RxLabel2"), weekday);
  driver->MouseOnCell(Mouse::kMove, 2, 3);
  driver->MouseOnCell(Mouse::kRelease, 2, 3);
  EXPECT_EQ(Day(), (DateParts{2005, 3, 16}));
  EXPECT_EQ(driver->Text(W::kMain, "RxLabel2"), WeekdayLineText(MakeDate(2005, 3, 16)));
  driver->Wheel("Calendar1", -120);
  EXPECT_EQ(Day(), (DateParts{2005, 3, 23}));
  driver->Wheel("RxLabel1", 120);
  EXPECT_EQ(Day(), (DateParts{2005, 3, 16}));
  driver->MouseOnCell(Mouse::kPress, 3, 3);
  driver->MouseOnCell(Mouse::kMove, 3, -1);
  EXPECT_TRUE(driver->WaitFor([&] { return driver->Grid().Row() == 1; }));
  EXPECT_EQ(driver->Text(W::kMain, "RxLabel2"), WeekdayLineText(MakeDate(2005, 3, 16)));
  driver->MouseOnCell(Mouse::kRelease, 3, -1);
  EXPECT_EQ(Day(), (DateParts{2005, 3, 3}));
  driver->MouseOnCell(Mouse::kPress, 3, 3);
  driver->MouseOnCell(Mouse::kMove, 4, 3);
  driver->ClickTool("tlbtnRechercher");  // the search dialog takes the focus
  driver->MouseOnCell(Mouse::kRelease, 4, 3);
  EXPECT_EQ(Day(), (DateParts{2005, 3, 3}));
}

// The selected day's cell is filled with the highlight to its edges and no further, on its
// device pixels at 96 dpi and, where the front end hears of a new dpi, at 144.
TEST_F(Window, TheSelectedDayIsHighlightedToItsCellsEdges) {
  driver->SetHighContrast(true);  // a highlight of known colour: the scheme's purple
  const TCalendar& grid = driver->Grid();
  for (const int dpi : {96, 144}) {
    if (dpi != 96 && !driver->MoveToDpi(W::kMain, dpi)) break;
    SCOPED_TRACE(dpi);
    const Picture shot = driver->Capture(W::kMain, "Calendar1");
    const Rect cell = grid.WindowCellRect(grid.Col(), grid.Row());
    const auto device = [dpi](int x) { return static_cast<int>(std::lround(x * dpi / 96.0)); };
    const int l = device(cell.Left), t = device(cell.Top);
    const int r = device(cell.Right), b = device(cell.Bottom), mid = (t + b) / 2;
    for (const auto& [x, y] : {std::pair{l, t}, {r - 1, b - 1}, {l, mid}}) {
      EXPECT_EQ(shot.At(x, y), 0x800080u) << x << "," << y;
    }
    for (const auto& [x, y] : {std::pair{l - 1, mid}, {r, mid}, {l + 1, t - 1}, {l + 1, b}}) {
      EXPECT_NE(shot.At(x, y), 0x800080u) << x << "," << y;
    }
  }
}

// F6 puts the focus on the grid from anywhere in the main window, and the arrows then move
// the day.
TEST_F(Window, F6PutsTheFocusOnTheGrid) {
  ASSERT_NE(driver->Focus(), "Calendar1");
  // From where the focus is at start, then from the tool bar.
  for (const std::string_view from : {"", "ToolBar1"}) {
    SCOPED_TRACE(from);
    Show(2005, 3, 7);
    driver->Press(W::kMain, from, Key::kF6);
    EXPECT_EQ(driver->Focus(), "Calendar1");
    driver->Press(W::kMain, "", Key::kRight);
    EXPECT_EQ(Day(), (DateParts{2005, 3, 8}));
    EXPECT_EQ(driver->PanelText(0), DayOfYearText(driver->Grid().SelectedDate()));
  }
}

// An argument that is none of the program's options opens the window all the same (a file
// dropped on the program, a shortcut with an extra word); an unknown option is an error.
TEST_F(Window, AStrayArgumentOpensTheWindow) {
  const std::string file = "stray-argument.png";
  std::remove(file.c_str());
  EXPECT_EQ(RunProgram({"fichier.txt", "--screenshot", file, "--date", "2005-03-07"}), 0);
  EXPECT_TRUE(std::ifstream(file).good());
  EXPECT_EQ(RunProgram({"--pas-une-option"}), 2);
}

// Quit, by its tool button or its menu item, closes the main window.
TEST_F(Window, QuitClosesTheMainWindow) {
  driver->ClickTool("tlbtnQuitter");
  EXPECT_FALSE(driver->Visible(W::kMain));
  driver.reset();
  driver = MakeDriver();
  driver->ChooseMenu("Quitter1");
  EXPECT_FALSE(driver->Visible(W::kMain));
}

// Help: without a viewer the error box says so; with one, each command opens its window, and
// the main window's end closes them all.
TEST_F(Window, HelpOpensTheViewerUntilTheMainWindowEnds) {
  driver->ClickTool("tlbtnAide");
  EXPECT_EQ(driver->TakeErrorBoxes(),
            std::vector<std::string>{"Dorvane: Aucun visualiseur d'aide n'est installé."});
  driver->LoadHelpViewer();
  driver->ChooseMenu("Rubriquesdelaide1");
  EXPECT_TRUE(driver->TakeErrorBoxes().empty());
  EXPECT_GE(driver->HelpWindows(), 1);
  driver->EndMainWindow();
  EXPECT_EQ(driver->HelpWindows(), 0);
}

// Moved to a screen of 144 dpi, the main window lays every control out again at one and a half
// times its size, its client area too.
TEST_F(Window, MovedTo144DpiTheMainWindowScales) {
  std::vector<std::pair<std::string_view, Span>> before;
  for (const ControlLayout& row : TForm1::kLayout.controls) {
    const Span span = driver->HorizontalSpan(W::kMain, row.name);
    if (span.right > span.left) before.emplace_back(row.name, span);
  }
  ASSERT_FALSE(before.empty());
  if (!driver->MoveToDpi(W::kMain, 144))
    GTEST_SKIP() << "the front end lays out in device-independent pixels";
  const auto atScale = [](int scaled, int original) {
    return std::abs(scaled - original * 3 / 2) <= 1;
  };
  for (const auto& [name, was] : before) {
    const Span now = driver->HorizontalSpan(W::kMain, name);
    EXPECT_TRUE(atScale(now.left, was.left) && atScale(now.right, was.right))
        << name << ": " << now.left << ".." << now.right;
  }
  const Size client = driver->ClientSize(W::kMain);
  EXPECT_TRUE(atScale(client.width, MainSize().width)) << client.width;
  EXPECT_TRUE(atScale(client.height, MainSize().height)) << client.height;
}

// The program's screenshots: the main window and the search dialog at their layouts' sizes, one
// and a half times as wide on a screen of 144 dpi and (where the program reads the desktop's
// font: not on Qt's offscreen platform) with a desktop font half as large again, so that no text
// is cut; the About dialog's etched separator, black over white from x = 86 to 280, with nothing
// around it.
TEST_F(Window, ScreenshotsShowTheWindowsAsLaidOut) {
  const auto shoot = [](const std::string& window, int dpi = 96, int textPercent = 100) {
    const std::string file = "screenshot-" + window + ".png";
    std::remove(file.c_str());
    EXPECT_EQ(RunProgram({"--screenshot", file, "--date", "2005-03-07", "--window", window}, dpi,
                         textPercent),
              0);
    return ReadPicture(file);
  };
  struct Screen {
    int dpi, textPercent, halves;  // the width expected, in halves of the layout's
  } const screens[] = {{96, 100, 2}, {144, 100, 3}, {96, 150, 3}};
  for (const Screen& screen : screens) {
#ifndef _WIN32
    if (screen.textPercent != 100) break;
#endif
    for (const WindowLayout* layout : {&TForm1::kLayout, &TForm2::kLayout}) {
      const bool mainWindow = layout == &TForm1::kLayout;
      const Picture shot = shoot(mainWindow ? "main" : "search", screen.dpi, screen.textPercent);
      SCOPED_TRACE(std::to_string(screen.dpi) + " dpi, " + std::to_string(screen.textPercent));
      EXPECT_EQ(shot.width, (layout->clientWidth * screen.halves + 1) / 2);  // rounded
      if (screen.halves != 2) continue;
      if (mainWindow) {
        EXPECT_GT(shot.height, layout->clientHeight);  // the menu bar above
      } else {
        EXPECT_EQ(shot.height, layout->clientHeight);
      }
    }
  }
  const Picture about = shoot("about");
  ASSERT_GE(about.width, TFAbout::kLayout.clientWidth);
  ASSERT_EQ(about.height, TFAbout::kLayout.clientHeight);
  const std::uint32_t face = about.At(140, 210);  // the dialog's own colour, under nothing
  ASSERT_NE(face, 0x000000u);
  ASSERT_NE(face, 0xFFFFFFu);
  for (int x = 80; x < 290; ++x) {
    const bool on = x >= 86 && x <= 280;
    EXPECT_EQ(about.At(x, 161), face) << x;
    EXPECT_EQ(about.At(x, 162), on ? 0x000000u : face) << x;
    EXPECT_EQ(about.At(x, 163), on ? 0xFFFFFFu : face) << x;
    EXPECT_EQ(about.At(x, 164), face) << x;
  }
  // The lines' first paint, at their first height, is gone.
  EXPECT_EQ(about.At(150, 190), face);
  EXPECT_EQ(about.At(150, 191), face);
}

// A screen reader reads every text: the banner and the weekday line as labels by the texts
// they show, the status bar's panels by theirs, the search dialog as a dialog, its fields by
// their names without their labels' colons, the tool buttons by their hints.
TEST_F(Window, ScreenReadersReadEveryText) {
  for (const std::string_view label : {"RxLabel1", "RxLabel2"}) {
    const Spoken read = driver->ReadAloud(W::kMain, label);
    EXPECT_EQ(read.role, Role::kStaticText) << label;
    EXPECT_EQ(read.name, driver->Text(W::kMain, label)) << label;
  }
  for (int panel = 0; panel < 3; ++panel) {
    EXPECT_EQ(driver->ReadPanelAloud(panel), driver->PanelText(panel)) << panel;
    EXPECT_NE(driver->ReadPanelAloud(panel), "") << panel;
  }
  const Spoken dialog = driver->ReadAloud(W::kSearch, "");
  EXPECT_EQ(dialog.role, Role::kDialog);
  EXPECT_EQ(dialog.name, "Rechercher...");
  for (const auto& [edit, name] :
       {std::pair{"Edit3", "Jour"}, {"Edit2", "Mois"}, {"Edit1", "Année"}}) {
    const Spoken field = driver->ReadAloud(W::kSearch, edit);
    EXPECT_EQ(field.role, Role::kEditableText) << edit;
    EXPECT_EQ(field.name, name) << edit;
  }
  for (const auto& [button, name] : {std::pair{"tlbtnAnAvant", "Année précédente"},
                                     {"tlbtnMActuel", "Mois actuel"},
                                     {"tlbtnRechercher", "Rechercher une date"},
                                     {"tlbtnQuitter", "Quitter logiciel"}}) {
    EXPECT_EQ(driver->ReadAloud(W::kMain, button).name, name) << button;
  }
}

// A screen reader reads the grid as a table of dates under the day names, finds the cell under
// a point of the screen at any dpi, and hears of the day an arrow moves to by its full date.
TEST_F(Window, ScreenReadersReadTheGridAsATableOfDates) {
  EXPECT_EQ(driver->ReadAloud(W::kMain, "Calendar1").role, Role::kTable);
  const TCalendar& grid = driver->Grid();
  for (const int dpi : {96, 144}) {
    if (dpi != 96 && !driver->MoveToDpi(W::kMain, dpi)) break;
    SCOPED_TRACE(dpi);
    const Spoken monday = driver->ReadCellAloud(0, 0);
    EXPECT_EQ(monday.role, Role::kColumnHeader);
    EXPECT_EQ(monday.name, CalendarTable(grid).HeaderName(0));
    const Spoken day = driver->ReadCellAloud(0, 2);
    EXPECT_EQ(day.role, Role::kCell);
    EXPECT_EQ(day.name, SpokenDate(MakeDate(2005, 3, 7)));
    EXPECT_EQ(driver->ReadCellAloud(0, 1).name, "");  // March 2005 starts on a Tuesday
  }
  driver->Press(W::kMain, "", Key::kF6);
  EXPECT_EQ(driver->HearFocus([&] { driver->Press(W::kMain, "Calendar1", Key::kRight); }),
            std::vector<std::string>{SpokenDate(MakeDate(2005, 3, 8))});
}

// In high contrast every text keeps 4.5 : 1 and every picture 3 : 1 against what lies behind
// it, in the three windows: the banner's purple, the About dialog's black and the tool bar's
// dark strokes give way to the scheme's colours. Back to the usual colours, the banner's own purple
// returns.
TEST_F(Window, HighContrastKeepsEveryTextAndPictureReadable) {
  driver->SetHighContrast(true);
  for (const std::string_view label : {"RxLabel1", "RxLabel2", "Calendar1", "StatusBar1"}) {
    EXPECT_GE(ForegroundContrast(driver->Capture(W::kMain, label)), kTextContrast) << label;
  }
  for (const ToolButtonLayout& button : TForm1::kLayout.toolButtons) {
    if (button.image == ToolButtonLayout::kSeparator) continue;
    EXPECT_GE(ForegroundContrast(driver->Capture(W::kMain, button.name)), kPictureContrast)
        << button.name;
  }
  driver->WhileModal([&] {
    for (const std::string_view label :
         {"Label1", "Label2", "Label3", "lblPhysMem", "lblPhysRes"}) {
      EXPECT_GE(ForegroundContrast(driver->Capture(W::kAbout, label)), kTextContrast) << label;
    }
  });
  driver->ChooseMenu("Aproposde1");
  driver->ClickTool("tlbtnRechercher");
  TypeDate("7", "3", "2005");
  for (const std::string_view control :
       {"Label1", "Label2", "Label3", "Edit1", "Edit3", "btnAfficher", "Button1"}) {
    EXPECT_GE(ForegroundContrast(driver->Capture(W::kSearch, control)), kTextContrast) << control;
  }
  driver->SetHighContrast(false);
  const Picture banner = driver->Capture(W::kMain, "RxLabel1");
  EXPECT_TRUE(std::any_of(banner.rgb.begin(), banner.rgb.end(),
                          [](std::uint32_t rgb) { return ColorOfRgb(rgb) == clPurple; }));
}

// The "Affichage" menu's choices: each item's check mark and the grid follow the choice, which
// is stored as it changes and comes back at the next start; a store that refuses keeps the
// choice for the session, silently.
TEST_F(Window, ViewChoicesAreStoredAndComeBack) {
  struct Choice {
    std::string_view item;
    std::string_view setting;
    bool (TCalendar::*shown)() const;
  } const choices[] = {{"Numrosdesemaine1", "ShowWeekNumbers", &TCalendar::ShowWeekNumbers},
                       {"Joursfris1", "ShowHolidays", &TCalendar::ShowHolidays}};
  for (const Choice& choice : choices) {
    SCOPED_TRACE(choice.item);
    EXPECT_FALSE(driver->MenuChecked(choice.item));
    driver->ChooseMenu(choice.item);
    EXPECT_TRUE(driver->MenuChecked(choice.item));
    EXPECT_TRUE((driver->Grid().*choice.shown)());
    EXPECT_EQ(settings.ReadBool(choice.setting), true);
  }
  driver.reset();
  driver = MakeDriver();
  for (const Choice& choice : choices) {
    SCOPED_TRACE(choice.item);
    EXPECT_TRUE(driver->MenuChecked(choice.item));
    EXPECT_TRUE((driver->Grid().*choice.shown)());
    driver->ChooseMenu(choice.item);
    EXPECT_FALSE(driver->MenuChecked(choice.item));
    EXPECT_EQ(settings.ReadBool(choice.setting), false);
  }
  settings.refuse = true;
  driver->ChooseMenu("Numrosdesemaine1");
  EXPECT_TRUE(driver->MenuChecked("Numrosdesemaine1"));
  EXPECT_TRUE(driver->Grid().ShowWeekNumbers());
  EXPECT_TRUE(driver->TakeErrorBoxes().empty());
  driver.reset();
  driver = MakeDriver();
  EXPECT_FALSE(driver->MenuChecked("Numrosdesemaine1"));
}

// The week column takes its room from the day columns, not from the grid's outer size; it is
// never a day: a click on it selects nothing, the first day column is Monday's, the keys stop
// at Monday.
TEST_F(Window, TheWeekColumnIsNeverADay) {
  const Span before = driver->HorizontalSpan(W::kMain, "Calendar1");
  driver->ChooseMenu("Numrosdesemaine1");
  const Span after = driver->HorizontalSpan(W::kMain, "Calendar1");
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.right, before.right);
  const TCalendar& grid = driver->Grid();
  Show(2005, 3, 9);  // a Wednesday of week 10, in the second row
  EXPECT_EQ(grid.TextOfCell(0, 0), "Sem.");
  EXPECT_EQ(grid.TextOfCell(0, 2), "10");
  driver->ClickCell(0, 3);
  EXPECT_EQ(Day(), (DateParts{2005, 3, 9}));
  driver->ClickCell(1, 3);
  EXPECT_EQ(Day(), (DateParts{2005, 3, 14}));
  driver->Press(W::kMain, "Calendar1", Key::kLeft);
  EXPECT_EQ(Day(), (DateParts{2005, 3, 14}));
  driver->Press(W::kMain, "Calendar1", Key::kRight);
  driver->Press(W::kMain, "Calendar1", Key::kHome);
  EXPECT_EQ(Day(), (DateParts{2005, 3, 14}));
}

// A day's tooltip: its full date as screen readers hear it, its holiday when holidays are
// shown, its week when weeks are.
TEST_F(Window, DayTooltipsTellTheDateHolidayAndWeek) {
  Show(2005, 3, 28);
  const TCalendar& grid = driver->Grid();
  const std::string date = SpokenDate(MakeDate(2005, 3, 28));
  EXPECT_EQ(driver->CellToolTip(grid.Col(), grid.Row()), date);
  driver->ChooseMenu("Joursfris1");
  EXPECT_EQ(driver->CellToolTip(grid.Col(), grid.Row()), date + " \u2014 Lundi de Pâques");
  driver->ChooseMenu("Numrosdesemaine1");
  EXPECT_EQ(driver->CellToolTip(grid.Col(), grid.Row()),
            date + " \u2014 Lundi de Pâques \u2014 semaine 13");
  EXPECT_EQ(driver->CellToolTip(0, grid.Row()), "");  // the week column
}

}  // namespace
}  // namespace dorvane::ui
