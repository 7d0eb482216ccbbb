#include "calendar/CustomGrid.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "gfx/TextFlags.h"

namespace dorvane {

EGridRangeError::EGridRangeError() : std::runtime_error(kGridRangeMessage) {}

// Before the host reports a size the client is taken to be five default columns by five
// default rows, the size a fresh grid gets.
TCustomGrid::TCustomGrid() : clientWidth_(5 * 64), clientHeight_(5 * 24) {}

void TCustomGrid::SetColCount(int count) {
  if (count < 1 || count == colCount_) return;
  colCount_ = count;
  fixedCols_ = std::min(fixedCols_, count - 1);
  current_.col = std::clamp(current_.col, fixedCols_, count - 1);
  InvalidateGrid();
}

void TCustomGrid::SetRowCount(int count) {
  if (count < 1 || count == rowCount_) return;
  rowCount_ = count;
  fixedRows_ = std::min(fixedRows_, count - 1);
  current_.row = std::clamp(current_.row, fixedRows_, count - 1);
  InvalidateGrid();
}

void TCustomGrid::SetFixedCols(int count) {
  if (count < 0 || count >= colCount_ || count == fixedCols_) return;
  fixedCols_ = count;
  current_.col = std::max(current_.col, count);
  InvalidateGrid();
}

void TCustomGrid::SetFixedRows(int count) {
  if (count < 0 || count >= rowCount_ || count == fixedRows_) return;
  fixedRows_ = count;
  current_.row = std::max(current_.row, count);
  InvalidateGrid();
}

void TCustomGrid::SetOptions(TGridOptions options) {
  if (options == options_) return;
  options_ = options;
  InvalidateGrid();
}

void TCustomGrid::SetDefaultColWidth(int width) {
  width = std::max(width, 0);
  if (width == colWidth_) return;
  colWidth_ = width;
  InvalidateGrid();
}

void TCustomGrid::SetFixedColWidth(int width) {
  width = std::max(width, -1);
  if (width == fixedColWidth_) return;
  fixedColWidth_ = width;
  InvalidateGrid();
}

void TCustomGrid::SetDefaultRowHeight(int height) {
  height = std::max(height, 0);
  if (height == rowHeight_) return;
  rowHeight_ = height;
  InvalidateGrid();
}

// Cells keep their size until the next size notice.
void TCustomGrid::SetGridLineWidth(int width) {
  width = std::max(width, 0);
  if (width == gridLineWidth_) return;
  gridLineWidth_ = width;
  InvalidateGrid();
}

void TCustomGrid::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  InvalidateGrid();
}

void TCustomGrid::SetFixedColor(TColor color) {
  if (color == fixedColor_) return;
  fixedColor_ = color;
  InvalidateGrid();
}

void TCustomGrid::SetFont(const dorvane::Font& font) {
  if (font == font_) return;
  font_ = font;
  InvalidateGrid();
}

void TCustomGrid::SetCtl3D(bool on) {
  if (on == ctl3D_) return;
  ctl3D_ = on;
  if (host_ != nullptr) host_->BorderChanged();
  InvalidateGrid();
}

void TCustomGrid::SetBorderStyle(TBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  if (host_ != nullptr) host_->BorderChanged();
  InvalidateGrid();
}

int TCustomGrid::BorderWidth() const {
  if (borderStyle_ == TBorderStyle::bsNone) return 0;
  return ctl3D_ ? 2 : 1;
}

void TCustomGrid::PaintBorder(Canvas& canvas, const Rect& bounds) const {
  const int b = BorderWidth();
  if (b == 2) {
    canvas.DrawEdge(bounds, BDR_SUNKENOUTER | BDR_SUNKENINNER, BF_RECT);
  } else if (b == 1) {
    canvas.SetBrush(Brush{clWindowFrame, TBrushStyle::bsSolid});
    canvas.FillRect({bounds.Left, bounds.Top, bounds.Right, bounds.Top + 1});
    canvas.FillRect({bounds.Left, bounds.Bottom - 1, bounds.Right, bounds.Bottom});
    canvas.FillRect({bounds.Left, bounds.Top, bounds.Left + 1, bounds.Bottom});
    canvas.FillRect({bounds.Right - 1, bounds.Top, bounds.Right, bounds.Bottom});
  }
}

int TCustomGrid::ColWidth(int col) const {
  return col < fixedCols_ && fixedColWidth_ >= 0 ? fixedColWidth_ : colWidth_;
}

Rect TCustomGrid::CellRect(int col, int row) const {
  const int fixed = std::min(col, fixedCols_);
  const int left =
      fixed * (ColWidth(0) + gridLineWidth_) + (col - fixed) * (colWidth_ + gridLineWidth_);
  const int top = row * (rowHeight_ + gridLineWidth_);
  return {left, top, left + ColWidth(col), top + rowHeight_};
}

Rect TCustomGrid::WindowCellRect(int col, int row) const {
  Rect r = CellRect(col, row);
  const int b = BorderWidth();
  OffsetRect(r, b, b);
  return r;
}

int TCustomGrid::GridExtentX() const {
  return CellRect(colCount_ - 1, 0).Right + gridLineWidth_;
}
int TCustomGrid::GridExtentY() const {
  return rowCount_ * (rowHeight_ + gridLineWidth_);
}

GridCoord TCustomGrid::MouseCoord(int x, int y) const {
  const int fixedPitchX = ColWidth(0) + gridLineWidth_;
  const int pitchX = colWidth_ + gridLineWidth_;
  const int pitchY = rowHeight_ + gridLineWidth_;
  if (x < 0 || y < 0 || x >= clientWidth_ || y >= clientHeight_ || pitchX <= 0 || pitchY <= 0 ||
      (fixedCols_ > 0 && fixedPitchX <= 0)) {
    return {-1, -1};
  }
  const int fixedExtent = fixedCols_ * fixedPitchX;
  const int col = x < fixedExtent ? x / fixedPitchX : fixedCols_ + (x - fixedExtent) / pitchX;
  const GridCoord cell{col, y / pitchY};
  if (cell.col >= colCount_ || cell.row >= rowCount_) return {-1, -1};
  return cell;
}

GridCoord TCustomGrid::WindowCoord(Point at) const {
  const int b = BorderWidth();
  return MouseCoord(at.x - b, at.y - b);
}

int TCustomGrid::LastFullyVisibleCol() const {
  int last = fixedCols_;
  for (int c = fixedCols_; c < colCount_; ++c) {
    if (CellRect(c, 0).Right <= clientWidth_) last = c;
  }
  return last;
}

int TCustomGrid::LastFullyVisibleRow() const {
  int last = fixedRows_;
  for (int r = fixedRows_; r < rowCount_; ++r) {
    if (CellRect(0, r).Bottom <= clientHeight_) last = r;
  }
  return last;
}

void TCustomGrid::InvalidateGrid() {
  if (host_ != nullptr) host_->InvalidateAll();
}

void TCustomGrid::InvalidateCell(int col, int row) {
  if (host_ != nullptr) host_->InvalidateRect(WindowCellRect(col, row));
}

bool TCustomGrid::CanSelectCell(int /*col*/, int /*row*/) {
  return true;
}

void TCustomGrid::HandleClick() {
  if (OnClick) OnClick(*this);
}

void TCustomGrid::DblClick() {
  if (OnDblClick) OnDblClick(*this);
}

void TCustomGrid::ClientResized(int /*width*/, int /*height*/) {
  InvalidateGrid();
}

void TCustomGrid::PlaceCurrentCell(int col, int row, bool /*show*/) {
  // Every cell is always in view, so there is nothing to scroll for the show flag.
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) throw EGridRangeError();
  if (col < fixedCols_ || row < fixedRows_) return;
  if (!CanSelectCell(col, row)) return;
  InvalidateCell(current_.col, current_.row);
  const bool moved = current_ != GridCoord{col, row};
  current_ = {col, row};
  InvalidateCell(col, row);
  if (moved) CurrentCellMoved();
}

void TCustomGrid::CurrentCellMoved() {
  if (host_ != nullptr) host_->CurrentCellChanged();
}

void TCustomGrid::FocusCellAt(int col, int row) {
  PlaceCurrentCell(col, row, true);
  HandleClick();
}

void TCustomGrid::SizeNotice(int clientWidth, int clientHeight) {
  clientWidth_ = std::max(clientWidth, 0);
  clientHeight_ = std::max(clientHeight, 0);
  ClientResized(clientWidth_, clientHeight_);
}

void TCustomGrid::WindowResized(int width, int height) {
  const int b = BorderWidth();
  SizeNotice(width - 2 * b, height - 2 * b);
}

// ---- Painting ----

void TCustomGrid::Paint(Canvas& canvas) {
  Paint(canvas, Rect{0, 0, clientWidth_, clientHeight_});
}

namespace {

void DrawSegments(Canvas& canvas, TColor color, int width, const std::vector<Segment>& segments) {
  if (segments.empty()) return;
  canvas.SetPen(Pen{color, width, TPenStyle::psSolid, TPenMode::pmCopy});
  canvas.Polyline(segments);
}

bool Intersects(const Rect& a, const Rect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

}  // namespace

// Each line is centred in the strip that follows its column or row; the header region and the
// rest get their own colours. A line kind switched off is drawn in its region's background.
void TCustomGrid::PaintLines(Canvas& canvas) {
  const int w = gridLineWidth_;
  if (w <= 0) return;
  const int right = std::min(GridExtentX(), clientWidth_);
  const int bottom = std::min(GridExtentY(), clientHeight_);
  const int fixedBottom = std::min(fixedRows_ * (rowHeight_ + w), bottom);

  const TColor bodyLine = canvas.ColorToRGB(color_) == clSilver ? clGray : clSilver;
  struct Region {
    int top, bottom, firstRow, lastRow;
    TColor vertColor, horzColor;
  };
  const Region regions[] = {
      {0, fixedBottom, 0, fixedRows_ - 1, (options_ & goFixedVertLine) ? clBlack : fixedColor_,
       (options_ & goFixedHorzLine) ? clBlack : fixedColor_},
      {fixedBottom, bottom, fixedRows_, rowCount_ - 1, (options_ & goVertLine) ? bodyLine : color_,
       (options_ & goHorzLine) ? bodyLine : color_},
  };
  for (const Region& region : regions) {
    if (region.top >= region.bottom) continue;
    std::vector<Segment> vert;
    for (int c = 0; c < colCount_; ++c) {
      const int strip = CellRect(c, 0).Right;
      if (strip >= clientWidth_) break;
      const int x = strip + w / 2;
      vert.push_back({{x, region.top}, {x, region.bottom}});
    }
    std::vector<Segment> horz;
    for (int r = region.firstRow; r <= region.lastRow; ++r) {
      const int strip = CellRect(0, r).Bottom;
      if (strip >= clientHeight_) break;
      const int y = strip + w / 2;
      horz.push_back({{0, y}, {right, y}});
    }
    if (region.vertColor == region.horzColor) {
      vert.insert(vert.end(), horz.begin(), horz.end());
      DrawSegments(canvas, region.vertColor, w, vert);
    } else {
      DrawSegments(canvas, region.vertColor, w, vert);
      DrawSegments(canvas, region.horzColor, w, horz);
    }
  }
}

void TCustomGrid::Paint(Canvas& canvas, const Rect& update) {
  canvas_ = &canvas;
  struct Reset {
    Canvas*& canvas;
    ~Reset() { canvas = nullptr; }
  } reset{canvas_};

  canvas.SetFont(font_);
  PaintLines(canvas);

  const Rect client{0, 0, clientWidth_, clientHeight_};
  const bool active = host_ != nullptr && host_->IsActiveControl();
  for (int r = 0; r < rowCount_; ++r) {
    for (int c = 0; c < colCount_; ++c) {
      const Rect rect = CellRect(c, r);
      if (!Intersects(rect, client) || !Intersects(rect, update)) continue;
      TGridDrawState state = 0;
      if (r < fixedRows_ || c < fixedCols_) state |= gdFixed;
      if (current_ == GridCoord{c, r}) {
        state |= gdSelected;
        if (active) state |= gdFocused;
      }
      TColor background = (state & gdFixed) ? fixedColor_ : color_;
      TColor text = font_.Color;
      if (state & gdSelected) {
        background = clHighlight;
        text = clHighlightText;
      }
      canvas.SetBrush(Brush{background, TBrushStyle::bsSolid});
      canvas.SetTextColor(text);
      canvas.FillRect(rect);
      PaintCell(c, r, rect, state);
      if ((state & gdFixed) && ctl3D_) {
        canvas.DrawEdge(rect, BDR_RAISEDINNER, BF_BOTTOMRIGHT);
        canvas.DrawEdge(rect, BDR_RAISEDINNER, BF_TOPLEFT);
      }
      if (state & gdFocused) canvas.DrawFocusRect(rect);
    }
  }

  const int right = GridExtentX();
  const int bottom = GridExtentY();
  if (right >= clientWidth_ && bottom >= clientHeight_) return;
  canvas.SetBrush(Brush{color_, TBrushStyle::bsSolid});
  if (right < clientWidth_) canvas.FillRect(Rect{right, 0, clientWidth_, clientHeight_});
  if (bottom < clientHeight_) {
    canvas.FillRect(Rect{0, bottom, std::min(right, clientWidth_), clientHeight_});
  }
}

// ---- Mouse ----

void TCustomGrid::WindowMouse(const MouseEvent& event) {
  const int b = BorderWidth();
  const int x = event.at.x - b;
  const int y = event.at.y - b;
  if (event.action == MouseEvent::kMove) {
    MouseMove(event.shift, x, y);
  } else if (event.action == MouseEvent::kRelease) {
    MouseUp(event.button, event.shift, x, y);
  } else {
    MouseDown(event.button, event.shift, x, y, event.action == MouseEvent::kDoubleClick);
  }
}

void TCustomGrid::MouseDown(TMouseButton button, TShiftState /*shift*/, int x, int y,
                            bool doubleClick) {
  pointer_ = {x, y};
  if (host_ != nullptr) {
    host_->SetFocus();
    if (!host_->IsActiveControl()) {
      host_->ReleasePointer();
      return;
    }
  }
  if (button != TMouseButton::mbLeft) return;
  if (doubleClick) {
    DblClick();
    return;
  }
  const GridCoord cell = MouseCoord(x, y);
  if (cell.col < fixedCols_ || cell.row < fixedRows_) return;  // header, or outside (-1)
  mouseState_ = TGridMouseState::Selecting;
  if (host_ != nullptr) {
    host_->CapturePointer();
    host_->StartRepeatTimer(kSelectTimerMs);
  }
  PlaceCurrentCell(cell.col, cell.row, true);
}

void TCustomGrid::SelectUnderPointer(int x, int y) {
  const GridCoord cell = MouseCoord(x, y);
  if (cell.col < fixedCols_ || cell.row < fixedRows_ || cell == current_) return;
  PlaceCurrentCell(cell.col, cell.row, true);
}

void TCustomGrid::MouseMove(TShiftState /*shift*/, int x, int y) {
  pointer_ = {x, y};
  if (mouseState_ == TGridMouseState::Selecting) SelectUnderPointer(x, y);
}

void TCustomGrid::StopSelecting() {
  mouseState_ = TGridMouseState::Normal;
  if (host_ != nullptr) {
    host_->StopRepeatTimer();
    host_->ReleasePointer();
  }
}

void TCustomGrid::SelectionCancelled() {}

void TCustomGrid::CancelMode() {
  if (mouseState_ != TGridMouseState::Selecting) return;
  StopSelecting();
  SelectionCancelled();
}

void TCustomGrid::MouseUp(TMouseButton button, TShiftState /*shift*/, int x, int y) {
  pointer_ = {x, y};
  if (button != TMouseButton::mbLeft || mouseState_ != TGridMouseState::Selecting) return;
  SelectUnderPointer(x, y);
  StopSelecting();
  HandleClick();
}

// While the button is held outside the day rows, the current cell walks towards the pointer
// one step per tick, diagonally off a corner, never onto a cell that cannot be selected.
void TCustomGrid::TimerTick() {
  if (mouseState_ != TGridMouseState::Selecting) return;
  const Point p = pointer_;
  int dc = 0;
  int dr = 0;
  if (p.x < 0 && current_.col > fixedCols_) dc = -1;
  if (p.x >= std::min(GridExtentX(), clientWidth_) && current_.col < colCount_ - 1) dc = 1;
  if (p.y < fixedRows_ * (rowHeight_ + gridLineWidth_) && current_.row > fixedRows_) dr = -1;
  if (p.y >= std::min(GridExtentY(), clientHeight_) && current_.row < rowCount_ - 1) dr = 1;
  if (dc == 0 && dr == 0) return;
  PlaceCurrentCell(current_.col + dc, current_.row + dr, true);
}

// ---- Keyboard and wheel ----

bool TCustomGrid::KeyDown(std::uint16_t key, TShiftState shift) {
  if ((shift & ssAlt) != 0) return false;
  if (OnKeyDown) {
    OnKeyDown(*this, key, shift);
    if (key == 0) return true;
  }
  const bool ctrl = (shift & ssCtrl) != 0;
  const int leftCol = fixedCols_;
  const int topRow = fixedRows_;
  const int pageWidth = std::max(LastFullyVisibleCol() - leftCol, 1);
  const int pageHeight = std::max(LastFullyVisibleRow() - topRow, 1);
  const int c = current_.col;
  const int r = current_.row;
  GridCoord target = current_;
  switch (key) {
    case VK_LEFT:
      target = {ctrl ? c - pageWidth : c - 1, r};
      break;
    case VK_RIGHT:
      target = {ctrl ? c + pageWidth : c + 1, r};
      break;
    // With Ctrl these would scroll the view by a row; the whole grid is always in view.
    case VK_UP:
      if (!ctrl) target = {c, r - 1};
      break;
    case VK_DOWN:
      if (!ctrl) target = {c, r + 1};
      break;
    case VK_HOME:
      target = ctrl ? GridCoord{leftCol, topRow} : GridCoord{leftCol, r};
      break;
    case VK_END:
      target = ctrl ? GridCoord{colCount_ - 1, rowCount_ - 1} : GridCoord{colCount_ - 1, r};
      break;
    case VK_PRIOR:
      target = {c, ctrl ? topRow : r - pageHeight};
      break;
    case VK_NEXT:
      target = {c, ctrl ? LastFullyVisibleRow() : r + pageHeight};
      break;
    default:
      return false;
  }
  target.col = std::clamp(target.col, fixedCols_, colCount_ - 1);
  target.row = std::clamp(target.row, fixedRows_, rowCount_ - 1);
  if (target != current_) FocusCellAt(target.col, target.row);
  return true;
}

bool TCustomGrid::MouseWheel(int delta) {
  wheelAccumulator_ += delta;
  bool stepped = false;
  while (std::abs(wheelAccumulator_) >= kWheelDelta) {
    stepped = true;
    if (wheelAccumulator_ < 0) {
      wheelAccumulator_ += kWheelDelta;
      if (current_.row < rowCount_ - 1) FocusCellAt(current_.col, current_.row + 1);
    } else {
      wheelAccumulator_ -= kWheelDelta;
      if (current_.row > fixedRows_) FocusCellAt(current_.col, current_.row - 1);
    }
  }
  return stepped;
}

void TCustomGrid::FocusChanged(bool gained) {
  if (!gained) CancelMode();
  InvalidateCell(current_.col, current_.row);
}

}  // namespace dorvane
