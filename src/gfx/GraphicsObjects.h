#pragma once

#include <functional>
#include <utility>

#include "gfx/Canvas.h"

namespace dorvane {

// A pen or brush a control owns: its attributes, and a change handler told whenever one of
// them changes, so that the owner can repaint.
template <typename Value>
class TGraphicsObject {
 public:
  const Value& Get() const { return value_; }
  // Copies all attributes and reports a change, as assigning one object to another does.
  void Assign(const Value& value) {
    value_ = value;
    Changed();
  }
  void SetOnChange(std::function<void()> handler) { onChange_ = std::move(handler); }

 protected:
  template <typename Field>
  void Set(Field Value::*field, Field value) {
    if (value_.*field == value) return;
    value_.*field = value;
    Changed();
  }

 private:
  void Changed() {
    if (onChange_) onChange_();
  }

  Value value_;
  std::function<void()> onChange_;
};

class TPen : public TGraphicsObject<Pen> {
 public:
  TColor Color() const { return Get().Color; }
  void SetColor(TColor c) { Set(&Pen::Color, c); }
  int Width() const { return Get().Width; }
  void SetWidth(int w) { Set(&Pen::Width, w); }
  TPenStyle Style() const { return Get().Style; }
  void SetStyle(TPenStyle s) { Set(&Pen::Style, s); }
  TPenMode Mode() const { return Get().Mode; }
  void SetMode(TPenMode m) { Set(&Pen::Mode, m); }
};

class TBrush : public TGraphicsObject<Brush> {
 public:
  TColor Color() const { return Get().Color; }
  void SetColor(TColor c) { Set(&Brush::Color, c); }
  TBrushStyle Style() const { return Get().Style; }
  void SetStyle(TBrushStyle s) { Set(&Brush::Style, s); }
};

}  // namespace dorvane
