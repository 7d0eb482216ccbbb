#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "controls/FocusableControl.h"
#include "controls/LabelHost.h"
#include "gfx/Alignment.h"
#include "gfx/Canvas.h"
#include "gfx/Color.h"
#include "gfx/MouseButton.h"
#include "gfx/Rect.h"

namespace dorvane {

enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };

// A windowless label that draws its text twice: a shadow copy in ShadowColor moved ShadowSize
// pixels towards ShadowPos, then the text in its font colour on top. It aligns, lays out
// vertically, wraps, fits its bounds to the text, moves the focus to FocusControl on its
// accelerator, and reports the pointer entering and leaving it.
//
// The label draws on a Canvas and asks its LabelHost for everything platform-side; the host
// forwards the platform's notifications to the operations below.
class TRxCustomLabel : private RemovalObserver {
 public:
  using TNotifyEvent = std::function<void(TRxCustomLabel&)>;
  using TMouseEvent = std::function<void(TRxCustomLabel&, TMouseButton, int x, int y)>;

  explicit TRxCustomLabel(LabelHost& host);
  virtual ~TRxCustomLabel();
  TRxCustomLabel(const TRxCustomLabel&) = delete;
  TRxCustomLabel& operator=(const TRxCustomLabel&) = delete;

  // The label's own properties.
  FocusableControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(FocusableControl* control);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  bool AutoSize() const { return autoSize_; }
  virtual void SetAutoSize(bool value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor value);
  std::uint8_t ShadowSize() const { return shadowSize_; }
  void SetShadowSize(std::uint8_t value);
  TShadowPosition ShadowPos() const { return shadowPos_; }
  void SetShadowPos(TShadowPosition value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  bool ShowFocus() const { return showFocus_; }
  void SetShowFocus(bool value);
  bool Transparent() const { return !opaque_; }
  void SetTransparent(bool value);
  bool FocusTargetActive() const { return focusTargetActive_; }
  bool PointerInside() const { return pointerInside_; }
  bool LeftButtonHeld() const { return leftButtonHeld_; }
  const TNotifyEvent& OnMouseEnter() const { return onMouseEnter_; }
  void SetOnMouseEnter(TNotifyEvent handler) { onMouseEnter_ = std::move(handler); }
  const TNotifyEvent& OnMouseLeave() const { return onMouseLeave_; }
  void SetOnMouseLeave(TNotifyEvent handler) { onMouseLeave_ = std::move(handler); }

  // What every control has: caption, colour and font (taken from the parent while ParentColor
  // and ParentFont are on), bounds in the parent's coordinates, click and button events.
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string value);
  TColor Color() const;
  void SetColor(TColor value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  dorvane::Font Font() const;
  void SetFont(const dorvane::Font& value);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  int Left() const { return host_.Bounds().Left; }
  int Top() const { return host_.Bounds().Top; }
  int Width() const { return host_.Bounds().Width(); }
  int Height() const { return host_.Bounds().Height(); }
  // Moves and sizes the label in one step.
  void SetBounds(int left, int top, int width, int height);
  // Whether the caption needs more room than the label has, so that painting cuts it (a label
  // of fixed size).
  bool CaptionCut(Canvas& canvas);
  // The label's tooltip after a paint on `canvas`: its whole caption when painting cuts it,
  // else none.
  std::string ToolTipText(Canvas& canvas);
  // What a screen reader reads: the caption as shown, without its accelerator's mark.
  std::string AccessibleText() const;
  // The character whose Alt combination the label answers (DialogChar); 0 when none.
  char32_t Accelerator() const;
  void SetOnClick(TNotifyEvent handler) { onClick_ = std::move(handler); }
  void SetOnDblClick(TNotifyEvent handler) { onDblClick_ = std::move(handler); }
  void SetOnMouseDown(TMouseEvent handler) { onMouseDown_ = std::move(handler); }
  void SetOnMouseUp(TMouseEvent handler) { onMouseUp_ = std::move(handler); }

  // Operations.
  virtual TColor EnabledTextColor() const;
  virtual std::string DisplayText() const;
  virtual void PointerEntered();
  virtual void PointerLeft();
  // Draws (or with DT_CALCRECT measures) the text within rect, which comes back as the union
  // of the text's box and its shadow copy's.
  void DrawLabelText(Canvas& canvas, Rect& rect, std::uint32_t flags);
  static void DrawTextWithShadow(Canvas& canvas, std::string_view text, Rect& rect,
                                 std::uint32_t flags, std::uint8_t shadowSize, TColor shadowRgb,
                                 TShadowPosition shadowPos);
  void FitToText();
  void RefreshPointerInside();
  bool ThreadOwnsActiveWindow() const;

  // The platform's calls and notifications.
  virtual void Paint(Canvas& canvas);
  virtual void MouseDown(TMouseButton button, int x, int y);
  virtual void MouseUp(TMouseButton button, int x, int y);
  void DblClick();
  // The pointer came over the label, or went off it.
  void MouseEntered();
  void MouseLeft();
  // The right button's own messages: the mouse operation, then the pointer check.
  void WMRButtonDown(int x, int y);
  void WMRButtonUp(int x, int y);
  // A button's press, double click or release at a point of the label, as the platform reports
  // it: the operations above, in the order the system calls them.
  void ButtonEvent(const MouseEvent& event);
  // A possible accelerator typed in the label's window; true when the label handled it.
  bool DialogChar(char32_t ch);
  // The keyboard focus moved to focused (null: to a control the label does not know).
  void FocusChanged(const FocusableControl* focused);
  void VisibleChanged();
  void EnabledChanged();
  void FontChanged();
  void TextChanged();
  // The parent's colour changed; repaints when the label shows it.
  void ParentColorChanged();

 protected:
  LabelHost& Host() const { return host_; }

 private:
  void ComponentRemoved(const FocusableControl& control) override;
  void Invalidate() { host_.Invalidate(); }
  std::uint32_t AlignmentFlag() const;
  std::uint32_t WordWrapFlag() const;

  LabelHost& host_;

  FocusableControl* focusControl_ = nullptr;
  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  TTextLayout layout_ = tlTop;
  TColor shadowColor_ = clBtnHighlight;
  std::uint8_t shadowSize_ = 1;
  TShadowPosition shadowPos_ = spLeftTop;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  bool showFocus_ = false;
  bool focusTargetActive_ = false;
  bool pointerInside_ = false;
  bool leftButtonHeld_ = false;
  TNotifyEvent onMouseEnter_;
  TNotifyEvent onMouseLeave_;

  std::string caption_;
  bool opaque_ = true;
  TColor color_ = clBtnFace;
  bool parentColor_ = true;
  dorvane::Font font_;
  bool parentFont_ = true;
  bool clickPending_ = false;
  TNotifyEvent onClick_;
  TNotifyEvent onDblClick_;
  TMouseEvent onMouseDown_;
  TMouseEvent onMouseUp_;
};

// The label as forms use it.
class TRxLabel : public TRxCustomLabel {
 public:
  using TRxCustomLabel::TRxCustomLabel;
};

}  // namespace dorvane
