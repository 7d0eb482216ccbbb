#include "controls/RXCtrls.h"

#include "gfx/TextFlags.h"
#include "gfx/TextLayout.h"
#include "text/Ascii.h"

namespace dorvane {

namespace {

// Whether ch is the accelerator of text: the character after the last "&" that does not
// stand in a literal "&&" pair, ignoring ASCII letter case.
bool IsAccel(char32_t ch, std::string_view text) {
  const char32_t accel = ParsePrefix(text).accelerator;
  return accel != 0 && AsciiLower(accel) == AsciiLower(ch);
}

}  // namespace

TRxCustomLabel::TRxCustomLabel(LabelHost& host) : host_(host) {
  host_.OpaqueChanged(opaque_);
  SetBounds(Left(), Top(), 65, 17);
}

TRxCustomLabel::~TRxCustomLabel() {
  if (focusControl_ != nullptr) focusControl_->RemoveFreeNotification(*this);
}

// --- properties -----------------------------------------------------------------------------

void TRxCustomLabel::SetFocusControl(FocusableControl* control) {
  if (focusControl_ != nullptr && focusControl_ != control) {
    focusControl_->RemoveFreeNotification(*this);
  }
  focusControl_ = control;
  if (control != nullptr) control->FreeNotification(*this);
  if (showFocus_) Invalidate();
  host_.AcceleratorChanged();
}

void TRxCustomLabel::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  Invalidate();
}

void TRxCustomLabel::SetAutoSize(bool value) {
  if (autoSize_ == value) return;
  autoSize_ = value;
  FitToText();
}

void TRxCustomLabel::SetLayout(TTextLayout value) {
  if (layout_ == value) return;
  layout_ = value;
  Invalidate();
}

void TRxCustomLabel::SetShadowColor(TColor value) {
  if (shadowColor_ == value) return;
  shadowColor_ = value;
  Invalidate();
}

void TRxCustomLabel::SetShadowSize(std::uint8_t value) {
  if (shadowSize_ == value) return;
  shadowSize_ = value;
  FitToText();
  Invalidate();
}

void TRxCustomLabel::SetShadowPos(TShadowPosition value) {
  if (shadowPos_ == value) return;
  shadowPos_ = value;
  Invalidate();
}

void TRxCustomLabel::SetWordWrap(bool value) {
  if (wordWrap_ == value) return;
  wordWrap_ = value;
  FitToText();
  Invalidate();
}

void TRxCustomLabel::SetShowAccelChar(bool value) {
  if (showAccelChar_ == value) return;
  showAccelChar_ = value;
  Invalidate();
  host_.AcceleratorChanged();
}

void TRxCustomLabel::SetShowFocus(bool value) {
  if (showFocus_ == value) return;
  showFocus_ = value;
  Invalidate();
}

void TRxCustomLabel::SetTransparent(bool value) {
  if (Transparent() == value) return;
  opaque_ = !value;
  host_.OpaqueChanged(opaque_);
  Invalidate();
}

void TRxCustomLabel::SetCaption(std::string value) {
  if (caption_ == value) return;
  caption_ = std::move(value);
  TextChanged();
}

TColor TRxCustomLabel::Color() const {
  return parentColor_ ? host_.ParentColor() : color_;
}

void TRxCustomLabel::SetColor(TColor value) {
  if (!parentColor_ && color_ == value) return;
  color_ = value;
  parentColor_ = false;
  Invalidate();
}

void TRxCustomLabel::SetParentColor(bool value) {
  if (parentColor_ == value) return;
  if (!value) color_ = host_.ParentColor();
  parentColor_ = value;
  Invalidate();
}

Font TRxCustomLabel::Font() const {
  return parentFont_ ? host_.ParentFont() : font_;
}

void TRxCustomLabel::SetFont(const dorvane::Font& value) {
  if (!parentFont_ && font_ == value) return;
  font_ = value;
  parentFont_ = false;
  FontChanged();
}

void TRxCustomLabel::SetParentFont(bool value) {
  if (parentFont_ == value) return;
  if (!value) font_ = host_.ParentFont();
  parentFont_ = value;
  FontChanged();
}

void TRxCustomLabel::SetBounds(int left, int top, int width, int height) {
  const Rect bounds{left, top, left + width, top + height};
  if (bounds == host_.Bounds()) return;
  host_.SetBounds(bounds);
  Invalidate();
}

// --- drawing --------------------------------------------------------------------------------

TColor TRxCustomLabel::EnabledTextColor() const {
  return Font().Color;
}

std::string TRxCustomLabel::DisplayText() const {
  return caption_;
}

void TRxCustomLabel::DrawTextWithShadow(Canvas& canvas, std::string_view text, Rect& rect,
                                        std::uint32_t flags, std::uint8_t shadowSize,
                                        TColor shadowRgb, TShadowPosition shadowPos) {
  Rect textBox = rect;
  Rect shadowBox = rect;
  const TColor previous = canvas.SetTextColor(shadowRgb);
  const int size = shadowSize;
  switch (shadowPos) {
    case spLeftTop:
      OffsetRect(shadowBox, -size, -size);
      break;
    case spLeftBottom:
      OffsetRect(shadowBox, -size, size);
      break;
    case spRightBottom:
      OffsetRect(shadowBox, size, size);
      break;
    case spRightTop:
      OffsetRect(shadowBox, size, -size);
      break;
  }
  canvas.DrawText(text, shadowBox, flags);
  canvas.SetTextColor(previous);
  canvas.DrawText(text, textBox, flags);
  rect = UnionRect(textBox, shadowBox);
}

void TRxCustomLabel::DrawLabelText(Canvas& canvas, Rect& rect, std::uint32_t flags) {
  std::string text = DisplayText();
  if (((flags & DT_CALCRECT) && text.empty()) || (showAccelChar_ && text == "&")) text += ' ';
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  if (host_.UseRightToLeftAlignment()) {
    if (flags & DT_RIGHT) {
      flags &= ~DT_RIGHT;
    } else if (!(flags & DT_CENTER)) {
      flags |= DT_RIGHT;
    }
  }
  if (host_.UseRightToLeftReading()) flags |= DT_RTLREADING;

  dorvane::Font font = Font();
  font.Color = EnabledTextColor();
  TShadowPosition position = shadowPos_;
  std::uint8_t size = shadowSize_;
  TColor shadow = shadowColor_;
  if (!host_.IsEnabled()) {
    // Engraved: without a shadow of its own, a light copy one pixel to the lower right.
    if (size == 0) {
      position = spRightBottom;
      size = 1;
    }
    font.Color = clGrayText;
    shadow = clBtnHighlight;
  }
  canvas.SetFont(font);
  if (canvas.HighContrast()) {
    // No relief in high contrast: the text alone, in the scheme's colours.
    canvas.DrawText(text, rect, flags);
    return;
  }
  DrawTextWithShadow(canvas, text, rect, flags, size, canvas.ColorToRGB(shadow), position);
}

std::uint32_t TRxCustomLabel::AlignmentFlag() const {
  switch (alignment_) {
    case taRightJustify:
      return DT_RIGHT;
    case taCenter:
      return DT_CENTER;
    case taLeftJustify:
      break;
  }
  return DT_LEFT;
}

std::uint32_t TRxCustomLabel::WordWrapFlag() const {
  return wordWrap_ ? DT_WORDBREAK : 0;
}

void TRxCustomLabel::Paint(Canvas& canvas) {
  if (!host_.IsEnabled()) leftButtonHeld_ = false;
  const int width = Width();
  const int height = Height();
  if (!Transparent()) {
    canvas.SetBrush({Color(), TBrushStyle::bsSolid});
    canvas.FillRect({0, 0, width, height});
  }
  canvas.SetBrush({Color(), TBrushStyle::bsClear});
  Rect r{1, 0, width - 1, height};
  const std::uint32_t flags = AlignmentFlag() | WordWrapFlag() | DT_EXPANDTABS;
  if (layout_ != tlTop) {
    DrawLabelText(canvas, r, flags | DT_CALCRECT);
    r.Left = 0;
    r.Right = width;
    const int dy = layout_ == tlBottom ? height - r.Bottom : (height - r.Bottom) / 2;
    r.Top += dy;
    r.Bottom += dy;
  }
  DrawLabelText(canvas, r, flags);
  if (showFocus_ && focusControl_ != nullptr && focusTargetActive_) {
    InflateRect(r, 1, 0);
    canvas.SetBrush({Color(), TBrushStyle::bsClear});
    canvas.DrawFocusRect(r);
  }
}

bool TRxCustomLabel::CaptionCut(Canvas& canvas) {
  Rect r{1, 0, Width() - 1, Height()};
  DrawLabelText(canvas, r, WordWrapFlag() | DT_EXPANDTABS | DT_CALCRECT);
  return r.Right > Width() - 1 || r.Bottom > Height();
}

std::string TRxCustomLabel::ToolTipText(Canvas& canvas) {
  return CaptionCut(canvas) ? Caption() : std::string();
}

std::string TRxCustomLabel::AccessibleText() const {
  return showAccelChar_ ? ParsePrefix(DisplayText()).shown : DisplayText();
}

char32_t TRxCustomLabel::Accelerator() const {
  if (focusControl_ == nullptr || !showAccelChar_) return 0;
  return ParsePrefix(DisplayText()).accelerator;
}

void TRxCustomLabel::FitToText() {
  if (!autoSize_) return;
  Rect r{1, 0, Width() - 1, Height()};
  {
    const std::unique_ptr<Canvas> screen = host_.BorrowScreenCanvas();
    DrawLabelText(*screen, r, WordWrapFlag() | DT_EXPANDTABS | DT_CALCRECT);
  }
  InflateRect(r, 1, 0);
  TAlignment alignment = alignment_;
  if (host_.UseRightToLeftAlignment() && alignment != taCenter) {
    alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
  }
  int x = Left();
  if (alignment == taRightJustify) x = Left() + Width() - r.Right;
  SetBounds(x, Top(), r.Right, r.Bottom);
}

// --- pointer, focus and accelerator ---------------------------------------------------------

void TRxCustomLabel::PointerEntered() {
  if (onMouseEnter_) onMouseEnter_(*this);
}

void TRxCustomLabel::PointerLeft() {
  if (onMouseLeave_) onMouseLeave_(*this);
}

bool TRxCustomLabel::ThreadOwnsActiveWindow() const {
  const WindowHandle active = host_.ActiveWindow();
  if (active == nullptr) return false;
  bool found = false;
  host_.EnumThreadWindows([&](WindowHandle window) {
    found = window == active;
    return !found;
  });
  return found;
}

void TRxCustomLabel::RefreshPointerInside() {
  const bool was = pointerInside_;
  const Point cursor = host_.CursorPos();
  pointerInside_ =
      host_.IsEnabled() && host_.IsTopmostControlAt(cursor) && ThreadOwnsActiveWindow();
  if (pointerInside_ == was) return;
  if (pointerInside_) {
    PointerEntered();
  } else {
    PointerLeft();
  }
}

void TRxCustomLabel::MouseEntered() {
  if (!pointerInside_ && host_.IsEnabled() && ThreadOwnsActiveWindow()) {
    pointerInside_ = true;
    PointerEntered();
  }
}

void TRxCustomLabel::MouseLeft() {
  if (pointerInside_ && host_.IsEnabled() && !leftButtonHeld_) {
    pointerInside_ = false;
    PointerLeft();
  }
}

void TRxCustomLabel::MouseDown(TMouseButton button, int x, int y) {
  if (button == TMouseButton::mbLeft) clickPending_ = true;
  if (onMouseDown_) onMouseDown_(*this, button, x, y);
  if (button == TMouseButton::mbLeft && host_.IsEnabled()) leftButtonHeld_ = true;
}

void TRxCustomLabel::MouseUp(TMouseButton button, int x, int y) {
  if (button == TMouseButton::mbLeft && clickPending_) {
    clickPending_ = false;
    if (x >= 0 && y >= 0 && x < Width() && y < Height() && onClick_) onClick_(*this);
  }
  if (onMouseUp_) onMouseUp_(*this, button, x, y);
  if (leftButtonHeld_ && button == TMouseButton::mbLeft) leftButtonHeld_ = false;
  RefreshPointerInside();
}

void TRxCustomLabel::DblClick() {
  if (onDblClick_) onDblClick_(*this);
}

void TRxCustomLabel::WMRButtonDown(int x, int y) {
  MouseDown(TMouseButton::mbRight, x, y);
  RefreshPointerInside();
}

void TRxCustomLabel::WMRButtonUp(int x, int y) {
  MouseUp(TMouseButton::mbRight, x, y);
  RefreshPointerInside();
}

void TRxCustomLabel::ButtonEvent(const MouseEvent& event) {
  const bool pressed = event.action != MouseEvent::kRelease;
  const auto [x, y] = event.at;
  if (event.action == MouseEvent::kDoubleClick && event.button == TMouseButton::mbLeft) {
    DblClick();
  }
  if (event.button == TMouseButton::mbRight) {
    pressed ? WMRButtonDown(x, y) : WMRButtonUp(x, y);
  } else {
    pressed ? MouseDown(event.button, x, y) : MouseUp(event.button, x, y);
  }
}

bool TRxCustomLabel::DialogChar(char32_t ch) {
  if (focusControl_ == nullptr || !host_.IsEnabled() || !showAccelChar_) return false;
  if (!IsAccel(ch, DisplayText()) || !focusControl_->CanFocus()) return false;
  focusControl_->SetFocus();
  return true;
}

void TRxCustomLabel::FocusChanged(const FocusableControl* focused) {
  const bool active = focusControl_ != nullptr && focusControl_ == focused;
  if (active == focusTargetActive_) return;
  focusTargetActive_ = active;
  if (showFocus_) Invalidate();
}

void TRxCustomLabel::VisibleChanged() {
  if (host_.IsVisible()) RefreshPointerInside();
}

void TRxCustomLabel::EnabledChanged() {
  Invalidate();
  RefreshPointerInside();
}

void TRxCustomLabel::FontChanged() {
  Invalidate();
  FitToText();
}

void TRxCustomLabel::TextChanged() {
  Invalidate();
  FitToText();
  host_.AcceleratorChanged();
}

void TRxCustomLabel::ParentColorChanged() {
  if (parentColor_) Invalidate();
}

void TRxCustomLabel::ComponentRemoved(const FocusableControl& control) {
  if (&control == focusControl_) SetFocusControl(nullptr);
}

}  // namespace dorvane
