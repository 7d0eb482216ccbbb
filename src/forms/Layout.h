#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "controls/Lines.h"
#include "gfx/Alignment.h"
#include "gfx/Canvas.h"
#include "gfx/Color.h"
#include "gfx/Keys.h"

namespace dorvane {

// The base of the program's windows. Handlers are members of a form without arguments; the
// layout tables name them as pointers to members of this base, so that one table type serves
// every window.
class TForm {
 public:
  virtual ~TForm() = default;
};

using Handler = void (TForm::*)();

// A form's handler as a table entry: On<&TForm1::Timer1Timer>.
template <auto handler>
inline constexpr Handler On = static_cast<Handler>(handler);

// The key filter of an edit: the character to pass on for a typed one. A control character
// the edit does not insert (code 15) refuses the key.
using KeyFilter = char32_t (*)(char32_t key);

// Whether an edit with a key filter refuses a key that changes its text without typing a
// character: paste, cut, undo and redo by their other keys (Shift+Insert, Shift+Delete,
// Alt+Backspace, Alt+Shift+Backspace, and the F18, F20 and F14 of keyboards that have them), as
// its filter refuses the Ctrl letters that run the same commands (they type control characters).
bool RefusedEditKey(std::uint16_t key, TShiftState shift);

// A width or height the control finds itself (a label's text, a picture's image, a line's
// first height).
inline constexpr int kAutoSize = -1;
inline constexpr int kNoTabStop = -1;

// The window's font, or a control's own: the family is always the windows' "MS Sans Serif".
struct FontStyle {
  int height = -11;
  TColor color = clWindowText;
  bool bold = false;
  friend bool operator==(const FontStyle&, const FontStyle&) = default;
};

inline Font ToFont(const FontStyle& style) {
  Font font;
  font.Height = style.height;
  font.Color = style.color;
  font.Bold = style.bold;
  return font;
}

enum class ControlKind : std::uint8_t {
  kControlBar,  // the band that holds the tool bar
  kToolBar,     // its buttons come from the window's tool bar table
  kStatusBar,   // its panels come from the window's status panel table
  kGroupBox,
  kRxLabel,   // the shadowed label (TRxLabel); a fixed size turns AutoSize off
  kCalendar,  // the month grid (TCalendar)
  kLabel,     // the platform's label; kAutoSize: it takes the size of its text
  kEdit,
  kButton,
  kPicture,  // text names the picture; kAutoSize: the picture's own size
  kLine,     // TLine; kAutoSize height: the one its constructor gives
  kTimer,    // no window: a repeating timer
};

// One row of a window's control table, in creation order (later rows lie above earlier
// ones). Only what differs from the control's defaults is set, as in a form description.
struct ControlLayout {
  std::string_view name;
  ControlKind kind;
  std::string_view parent = {};  // empty: the window's client area
  int left = 0;
  int top = 0;
  int width = kAutoSize;
  int height = kAutoSize;
  std::string_view text = {};  // caption, label text, or the picture's name
  int tabOrder = kNoTabStop;
  Handler onEvent = nullptr;  // click (buttons), change (calendar), tick (timer)
  std::string_view accessibleName = {};
  const FontStyle* font = nullptr;       // own font; null: the window's
  TAlignment alignment = taLeftJustify;  // labels
  int maxLength = 0;                     // edits; 0: no limit
  KeyFilter keyFilter = nullptr;         // edits
  TLineType line = ltCustom;             // lines
  TColor penColor = clBlack;             // lines
  int startOfWeek = 0;                   // calendars
  int interval = 1000;                   // timers, in milliseconds
};

enum class BorderStyle : std::uint8_t {
  kSizeable,  // a frame the user may drag (a size lock may keep it)
  kDialog,    // a fixed dialog frame
};

// Title-bar buttons besides the close box.
enum BorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };

// A tool bar button (image 0 and up) or separator (kSeparator), left to right.
struct ToolButtonLayout {
  static constexpr int kSeparator = -1;
  std::string_view name;
  int left;
  int image;
  std::string_view hint = {};  // shown as a tool tip
  Handler onClick = nullptr;
};

inline constexpr int kToolButtonWidth = 23;
inline constexpr int kToolButtonHeight = 22;
inline constexpr int kToolSeparatorWidth = 8;
inline constexpr int kToolImageSize = 16;

// A menu item; an empty `menu` makes a menu of the menu bar, a caption "-" a separator.
struct MenuItemLayout {
  std::string_view name;
  std::string_view menu = {};
  std::string_view caption = {};  // with its "&" accelerator mark
  Handler onClick = nullptr;
  bool checkable = false;  // shows a check mark, which the form sets (MainView::SetMenuChecked)
};

inline constexpr std::string_view kMenuSeparator = "-";

struct StatusPanelLayout {
  int width;
  std::string_view text = {};  // initial text
};

// A panel's text a little wider than its panel is set a little narrower: these stretches, in
// per cent of the font's own width, are tried in turn; a text that fits none is shown at its own
// width, cut, and whole in the panel's tooltip.
inline constexpr std::array kPanelTextStretches{100, 95, 90, 85};

// The first of those stretches at which a panel's text fits its `room`, `widthAt` measuring
// the text at a stretch; none when it fits at none (the text is cut: its tooltip shows it).
std::optional<int> PanelTextStretch(int room, const std::function<int(int stretch)>& widthAt);

// A whole window: its own properties and its tables. Positions are pixels at 96 dpi.
struct WindowLayout {
  std::string_view name;
  std::string_view caption;
  int clientWidth;
  int clientHeight;
  BorderStyle border;
  unsigned borderIcons;
  std::string_view icon;  // picture name; empty: the application's icon
  FontStyle font;
  std::string_view firstFocus;  // the control that has the focus when the window first opens
  std::span<const ControlLayout> controls;
  std::span<const MenuItemLayout> menu = {};
  std::span<const ToolButtonLayout> toolButtons = {};
  std::span<const std::string_view> images = {};  // the tool bar's image list, by index
  std::span<const StatusPanelLayout> panels = {};
};

// A platform label's width (or height) for its text's: a label of its own size takes the
// text's; one of the table's size keeps it unless the text needs more (the system's font may be
// wider than the one the table was laid out with, and no text is cut).
constexpr int LabelExtent(int tableSize, int textSize) {
  return tableSize == kAutoSize || textSize > tableSize ? textSize : tableSize;
}

// The share, in per cent, by which the windows grow with the desktop's text, as dialog units
// grow a dialog with its font: the desktop font's character height, in pixels at 96 dpi,
// against the 12 pixels of 9 points, the systems' standard size. Up to that size (the 8-point
// "MS Sans Serif" of the tables included) the windows keep their layout to the pixel.
constexpr int TextScalePercent(double desktopFontPixels) {
  constexpr double kStandardPixels = 12;
  return desktopFontPixels <= kStandardPixels
             ? 100
             : static_cast<int>(desktopFontPixels * 100 / kStandardPixels + 0.5);
}

// The row of the named control; null when the window has none of that name.
const ControlLayout* FindControl(const WindowLayout& window, std::string_view name);

// The control a key gives the focus to from anywhere in the window, before any control sees
// the key; empty when the key is no such key there. F6, the key that moves between the parts
// of a window (Shift too), goes to the window's grid, which the Tab order does not visit.
std::string_view FocusKeyTarget(const WindowLayout& window, std::uint16_t key, TShiftState shift);

// The window's tab stops (its edits and buttons with a tab order) in the order Tab visits
// them: tab orders count within each parent, a parent's stops come in their order, and a
// container's own stops where the container stands among its siblings.
std::vector<const ControlLayout*> TabChain(const WindowLayout& window);

// The menu bar's tree: each menu of the bar (a row without `menu`) with its items and
// separators, in the table's order. An item whose menu the table does not have is left out.
struct MenuLayout {
  std::size_t row;                 // the menu's row in the table
  std::vector<std::size_t> items;  // its items' rows
};
std::vector<MenuLayout> MenuTree(const WindowLayout& window);

// The name a screen reader gives a tool button: its hint without the final full stop.
constexpr std::string_view SpokenName(std::string_view hint) {
  return hint.ends_with('.') ? hint.substr(0, hint.size() - 1) : hint;
}

}  // namespace dorvane
