#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>

#include "calendar/CalendarHost.h"
#include "gfx/Canvas.h"
#include "gfx/Color.h"
#include "gfx/Keys.h"
#include "gfx/MouseButton.h"
#include "gfx/Rect.h"

namespace dorvane {

// A cell outside the grid was asked for.
class EGridRangeError : public std::runtime_error {
 public:
  EGridRangeError();
};

inline constexpr const char* kGridRangeMessage = "Indice de grille hors limites";

using TGridDrawState = std::uint8_t;
inline constexpr TGridDrawState gdSelected = 0x1;
inline constexpr TGridDrawState gdFocused = 0x2;
inline constexpr TGridDrawState gdFixed = 0x4;

using TGridOptions = std::uint16_t;
inline constexpr TGridOptions goFixedVertLine = 0x1;
inline constexpr TGridOptions goFixedHorzLine = 0x2;
inline constexpr TGridOptions goVertLine = 0x4;
inline constexpr TGridOptions goHorzLine = 0x8;

enum class TBorderStyle { bsNone, bsSingle };
enum class TGridMouseState { Normal, Selecting };

struct GridCoord {
  int col = 0;
  int row = 0;
  friend bool operator==(const GridCoord&, const GridCoord&) = default;
};

// The grid every cell of which is always in view: equal column widths (the fixed columns may
// have one of their own) and row heights, a line strip of GridLineWidth pixels after each column
// and row, fixed rows at the top. It owns the current cell, painting, and the mouse, keyboard,
// wheel and focus input; what a cell shows and whether it may become current is up to the derived
// control.
class TCustomGrid {
 public:
  using NotifyEvent = std::function<void(TCustomGrid& sender)>;
  using KeyEvent = std::function<void(TCustomGrid& sender, std::uint16_t& key, TShiftState)>;

  static constexpr int kSelectTimerMs = 60;
  static constexpr int kWheelDelta = 120;

  TCustomGrid();
  virtual ~TCustomGrid() = default;
  TCustomGrid(const TCustomGrid&) = delete;
  TCustomGrid& operator=(const TCustomGrid&) = delete;

  // The host may be null (no window): then repaint requests go nowhere and the control is
  // never the active one.
  void SetHost(CalendarHost* host) { host_ = host; }
  CalendarHost* Host() const { return host_; }

  int ColCount() const { return colCount_; }
  void SetColCount(int count);
  int RowCount() const { return rowCount_; }
  void SetRowCount(int count);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int count);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int count);
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions options);

  int DefaultColWidth() const { return colWidth_; }
  void SetDefaultColWidth(int width);
  // The width of each fixed column; -1 (the default): DefaultColWidth, as the others.
  int FixedColWidth() const { return fixedColWidth_; }
  void SetFixedColWidth(int width);
  int DefaultRowHeight() const { return rowHeight_; }
  void SetDefaultRowHeight(int height);
  int GridLineWidth() const { return gridLineWidth_; }
  void SetGridLineWidth(int width);

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TColor FixedColor() const { return fixedColor_; }
  void SetFixedColor(TColor color);
  const dorvane::Font& Font() const { return font_; }
  void SetFont(const dorvane::Font& font);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool on);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  // Pixels of border the host draws around the client area on each side.
  int BorderWidth() const;
  // Draws that border along the inside of `bounds`, the control's whole area: the sunken
  // client edge with Ctl3D, else a line of the window frame's colour.
  void PaintBorder(Canvas& canvas, const Rect& bounds) const;

  int Col() const { return current_.col; }
  int Row() const { return current_.row; }
  GridCoord CurrentCell() const { return current_; }
  TGridMouseState MouseState() const { return mouseState_; }

  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }

  // Cell geometry in client pixels; the rectangle leaves out the line strips.
  Rect CellRect(int col, int row) const;
  // The same in the window's pixels, inside the edge (BorderWidth) the window draws around it.
  Rect WindowCellRect(int col, int row) const;
  // The cell under a client point, or {-1, -1} outside the grid.
  GridCoord MouseCoord(int x, int y) const;
  // The same for a point of the window, inside whose edge the client lies.
  GridCoord WindowCoord(Point at) const;

  // Moves the current cell there when the cell may be selected; repaints the old and the new
  // current cell. Raises EGridRangeError for a cell outside the grid.
  void PlaceCurrentCell(int col, int row, bool show);
  // PlaceCurrentCell, then HandleClick whether or not the move was taken.
  void FocusCellAt(int col, int row);

  void InvalidateGrid();
  void InvalidateCell(int col, int row);

  // Paints everything; Paint with an update rectangle skips cells outside it.
  void Paint(Canvas& canvas);
  void Paint(Canvas& canvas, const Rect& update);

  // Input from the host. A key with Alt held is never the grid's (it belongs to the window's
  // menu and accelerators): KeyDown refuses it, and the host hands it on.
  void SizeNotice(int clientWidth, int clientHeight);
  // The size notice of the host's whole area: the client is what the border leaves of it.
  void WindowResized(int width, int height);
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y, bool doubleClick);
  void MouseMove(TShiftState shift, int x, int y);
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // A pointer event at a point of the window: one of the three above at its client point.
  void WindowMouse(const MouseEvent& event);
  void TimerTick();
  // Returns whether the key is one the grid navigates with (the host then consumes it).
  bool KeyDown(std::uint16_t key, TShiftState shift);
  // Returns whether at least one step was taken from the accumulated delta.
  bool MouseWheel(int delta);
  // Losing the focus abandons a press in progress (CancelMode).
  void FocusChanged(bool gained);
  // The press ended without its release (focus taken away, pointer grab lost): the selection
  // is abandoned without a click.
  void CancelMode();

  NotifyEvent OnClick;
  NotifyEvent OnDblClick;
  KeyEvent OnKeyDown;

 protected:
  virtual void PaintCell(int col, int row, const Rect& rect, TGridDrawState state) = 0;
  virtual bool CanSelectCell(int col, int row);
  // The control's click operation: fires OnClick.
  virtual void HandleClick();
  virtual void DblClick();
  // Handler of the size notice; the base only requests a repaint.
  virtual void ClientResized(int width, int height);
  // After an abandoned mouse selection; the base does nothing.
  virtual void SelectionCancelled();
  // After the current cell moved; the base tells the host.
  virtual void CurrentCellMoved();

  // The canvas of the paint in progress, for PaintCell.
  Canvas& PaintCanvas() { return *canvas_; }

 private:
  int ColWidth(int col) const;
  int GridExtentX() const;
  int GridExtentY() const;
  int LastFullyVisibleCol() const;
  int LastFullyVisibleRow() const;
  void PaintLines(Canvas& canvas);
  void SelectUnderPointer(int x, int y);
  void StopSelecting();

  CalendarHost* host_ = nullptr;
  Canvas* canvas_ = nullptr;
  int colCount_ = 5;
  int rowCount_ = 5;
  int fixedCols_ = 1;
  int fixedRows_ = 1;
  TGridOptions options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;
  int colWidth_ = 64;
  int fixedColWidth_ = -1;
  int rowHeight_ = 24;
  int gridLineWidth_ = 1;
  TColor color_ = clWindow;
  TColor fixedColor_ = clBtnFace;
  dorvane::Font font_;
  bool ctl3D_ = true;
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
  GridCoord current_{1, 1};
  TGridMouseState mouseState_ = TGridMouseState::Normal;
  int wheelAccumulator_ = 0;
  Point pointer_;  // of the last pointer event, for the timer's walk
  int clientWidth_;
  int clientHeight_;
};

}  // namespace dorvane
