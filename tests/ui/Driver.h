#pragma once
// What a window scenario does to the program's windows and reads back from them, by the
// names of the windows' tables. Each front end has its driver (Qt offscreen, Win32 under
// Wine); the scenarios are written once against this interface and built with each.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "calendar/Calendar.h"
#include "dates/DateValue.h"

namespace dorvane::ui {

enum class Window { kMain, kSearch, kAbout };

enum class Key {
  kLeft,
  kRight,
  kUp,
  kDown,
  kHome,
  kEnd,
  kTab,
  kEnter,
  kEscape,
  kSpace,
  kInsert,
  kDelete,
  kF6
};

struct Modifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

enum class Mouse { kPress, kMove, kRelease };

enum class Shown { kMinimised, kNormal, kMaximised };

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Span {
  int left = 0;
  int right = 0;
};

// What a screen reader reads of a control: its role and its name.
enum class Role {
  kOther,
  kStaticText,
  kEditableText,
  kButton,
  kDialog,
  kTable,
  kColumnHeader,
  kCell
};
struct Spoken {
  Role role = Role::kOther;
  std::string name;
};

// Pixels as the screen or a picture file shows them.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;  // 0xRRGGBB, row by row
  std::uint32_t At(int x, int y) const {
    return rgb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
               static_cast<std::size_t>(x)];
  }
};

class Driver {
 public:
  virtual ~Driver() = default;

  // The main window's grid, whose date the scenarios set and read.
  virtual TCalendar& Grid() = 0;
  // Handles what is waiting (input, paints, timers due), as the message loop would.
  virtual void Process() = 0;
  // Handles what comes, as the message loop would, until `holds` does (two seconds at most):
  // whether it does.
  virtual bool WaitFor(const std::function<bool()>& holds) = 0;

  // Commands, as the user gives them.
  virtual void ClickTool(std::string_view button) = 0;
  virtual void ChooseMenu(std::string_view item) = 0;
  // A push button of a window, clicked with the mouse.
  virtual void ClickButton(Window window, std::string_view button) = 0;
  // The left button pressed there, the pointer moved there with the button held, or the button
  // released there.
  virtual void MouseOnCell(Mouse act, int col, int row) = 0;
  // A press and release of the left button in the middle of a grid cell.
  void ClickCell(int col, int row) {
    MouseOnCell(Mouse::kPress, col, row);
    MouseOnCell(Mouse::kRelease, col, row);
  }
  // A turn of the mouse wheel (120 a notch, positive away from the user) with the pointer on a
  // control of the main window, handed on as the system hands it on.
  virtual void Wheel(std::string_view control, int delta) = 0;
  // Empties an edit, then types `text` into it character by character (control characters
  // too, as Ctrl+letter types them).
  virtual void Type(Window window, std::string_view edit, std::string_view text) = 0;
  // A key pressed and released on a control, which has the focus first; with no control, on
  // whatever has the focus in the window (the window itself when nothing has).
  virtual void Press(Window window, std::string_view control, Key key, Modifiers mods = {}) = 0;
  // Makes a window the active one, as a click on its caption does.
  virtual void Activate(Window window) = 0;

  // What the windows show.
  virtual std::string Text(Window window, std::string_view control) = 0;
  virtual std::string PanelText(int panel) = 0;
  // What a screen reader reads of a control (a tool button by its name too; the window itself
  // for an empty name), and of a status panel, through the system's accessibility interfaces.
  virtual Spoken ReadAloud(Window window, std::string_view control) = 0;
  virtual std::string ReadPanelAloud(int panel) = 0;
  // What a screen reader reads of the grid's cell (a day name's too) that the grid's object
  // finds under the middle of cell (col, row), asked for that point of the screen.
  virtual Spoken ReadCellAloud(int col, int row) = 0;
  // The grid cells a screen reader hears get the focus while `act` runs, by their names.
  virtual std::vector<std::string> HearFocus(const std::function<void()>& act) = 0;
  // A control's tooltip as the user would see it ("" when none); a tool button's hint; a
  // status panel as "Panel<n>".
  virtual std::string ToolTip(Window window, std::string_view control) = 0;
  // Whether a checkable menu item of the main window shows its check mark.
  virtual bool MenuChecked(std::string_view item) = 0;
  // The tooltip shown while the pointer rests in the middle of a grid cell ("" when none).
  virtual std::string CellToolTip(int col, int row) = 0;
  // Whether a control's whole text fits its box, measured with the system's own text metrics
  // in the control's font.
  virtual bool TextFits(Window window, std::string_view control) = 0;
  // The focused control's table name ("" when none of ours).
  virtual std::string Focus() = 0;
  virtual bool Visible(Window window) = 0;
  // Whether the window is the active one, where the keyboard goes, or becomes it within two
  // seconds (a window manager activates a window a little after it is asked to).
  virtual bool Active(Window window) = 0;
  virtual bool Enabled(Window window) = 0;
  // The client area, in device pixels.
  virtual Size ClientSize(Window window) = 0;
  // A control's left and right edges in its window's client area, in device pixels.
  virtual Span HorizontalSpan(Window window, std::string_view control) = 0;
  // What a form does through its view: a control's or a status panel's text.
  virtual void SetText(Window window, std::string_view control, std::string_view text) = 0;
  virtual void SetPanelText(int panel, std::string_view text) = 0;

  // The main window's one-second timer, fired now.
  virtual void TickClock() = 0;
  // Whether the window stands in the middle of its screen's work area (to a pixel or two).
  virtual bool CentredOnScreen(Window window) = 0;
  // Brings a control above its siblings, as a program may.
  virtual void Raise(Window window, std::string_view control) = 0;
  // The system's notice that the window moved to a screen of `dpi` pixels per inch; false
  // where the front end gets no such notice (Qt lays out in device-independent pixels).
  virtual bool MoveToDpi(Window window, int dpi) = 0;
  // The desktop's colours: a high-contrast scheme (white text on black faces, as the systems'
  // own "high contrast black"), or back to the usual ones, announced to the windows as the
  // system announces it. The driver's end puts the usual ones back.
  virtual void SetHighContrast(bool on) = 0;
  // What a control (a tool button too) shows on the screen, after the paints waiting.
  virtual Picture Capture(Window window, std::string_view control) = 0;

  // The window's state, as the window manager or another program changes it.
  virtual void Show(Window window, Shown state) = 0;
  virtual void RequestClientSize(Window window, Size size) = 0;
  // The same asked of the window manager itself, as its buttons and frame ask (a maximise, a
  // new client size); false where no manager runs.
  virtual bool ManagerMaximise(Window window) = 0;
  virtual bool ManagerResize(Window window, Size size) = 0;

  // Modal windows. The next one that opens (an error box or the About dialog) runs
  // `whileShown` inside its own loop, then is closed (the box by OK, the dialog by its button).
  virtual void WhileModal(std::function<void()> whileShown) = 0;
  // Whether the error box being shown is in front of every other window of the program.
  virtual bool ErrorBoxInFront() = 0;
  // The error boxes' texts ("title: message") since the last call; each box was closed by OK.
  virtual std::vector<std::string> TakeErrorBoxes() = 0;

  // Help: the system's viewer made available (the program's help file beside the program),
  // the viewer's visible windows counted, and the main window's end, as the user quitting.
  virtual void LoadHelpViewer() = 0;
  virtual int HelpWindows() = 0;
  virtual void EndMainWindow() = 0;
};

// What both front ends' drivers do the same way, over their main window, search dialog and
// About dialog, each with its table's controls.
template <class MainWindow, class SearchWindow, class AboutWindow>
class FormsDriver : public Driver {
 public:
  TCalendar& Grid() override { return main_->Form().Calendar1(); }
  void SetText(Window window, std::string_view control, std::string_view text) override {
    Controls(window).SetText(control, text);
    Process();
  }
  void SetPanelText(int panel, std::string_view text) override {
    Controls(Window::kMain).SetPanelText(panel, text);
    Process();
  }
  void WhileModal(std::function<void()> whileShown) override {
    whileShown_ = std::move(whileShown);
  }
  std::vector<std::string> TakeErrorBoxes() override { return std::exchange(boxes_, {}); }
  void EndMainWindow() override {
    if (!main_) return;
    main_->Form().SetSearchDialog(nullptr);
    search_.reset();
    main_.reset();  // the close-all command of help
    Process();
  }

 protected:
  // As start-up leaves them: the main window shown on 7 March 2005, the search dialog hidden.
  void Open() {
    main_ = std::make_unique<MainWindow>();
    search_ = std::make_unique<SearchWindow>(main_->View(), Grid());
    main_->Form().SetSearchDialog(&search_->Form());
    Grid().SetSelectedDate(MakeDate(2005, 3, 7));
    main_->View().BringForward();
  }
  auto& Controls(Window window) {
    const auto& controls = window == Window::kMain     ? main_->Controls()
                           : window == Window::kSearch ? search_->Controls()
                                                       : About().Controls();
    return const_cast<std::remove_cvref_t<decltype(controls)>&>(controls);
  }
  AboutWindow& About() {
    EXPECT_NE(about_, nullptr) << "no About dialog";
    return *about_;
  }
  // The middle of a grid cell, in the grid window's pixels at 96 dpi.
  std::pair<int, int> CellMiddle(int col, int row) {
    const Rect cell = Grid().WindowCellRect(col, row);
    return {(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2};
  }
  // A modal window shown: what the scenario runs meanwhile, once.
  void RunWhileShown() {
    if (whileShown_) std::exchange(whileShown_, nullptr)();
  }

  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<SearchWindow> search_;
  AboutWindow* about_ = nullptr;
  bool busy_ = false;  // looking at a modal window
  std::function<void()> whileShown_;
  std::vector<std::string> boxes_;
};

// The front end's driver, over its main window (shown, on 7 March 2005) and its search
// dialog (hidden), as start-up leaves them.
std::unique_ptr<Driver> MakeDriver();

// Runs the program itself with `arguments` (a screenshot, a stray argument), on a screen of
// `dpi` pixels per inch, the desktop's font at `textPercent` of the standard 9 points; its exit
// status.
int RunProgram(const std::vector<std::string>& arguments, int dpi = 96, int textPercent = 100);
// A PNG file's pixels, read with the system's own imaging (none when it cannot be read).
Picture ReadPicture(const std::string& file);

}  // namespace dorvane::ui
