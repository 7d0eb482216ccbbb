#pragma once

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "gfx/Canvas.h"
#include "gfx/TextFlags.h"
#include "gfx/TextLayout.h"
#include "text/Utf8.h"

namespace dorvane::testing {

// A canvas that records every call as one line of text and measures with fixed metrics:
// every character (code point) is kCharWidth pixels wide and every line kLineHeight high.
// System colours resolve to 0x00FF00nn (nn = their index), so a test can tell them apart.
class RecordingCanvas : public Canvas {
 public:
  static constexpr int kCharWidth = 6;
  static constexpr int kLineHeight = 13;

  std::vector<std::string> calls;
  Font font;
  TColor textColor = clWindowText;
  Brush brush;
  Pen pen;

  void SetFont(const Font& f) override {
    font = f;
    textColor = f.Color;
    Record("SetFont", f.Name, f.Height, f.Bold ? "bold" : "normal", Hex(f.Color));
  }
  TColor SetTextColor(TColor c) override {
    const TColor old = textColor;
    textColor = c;
    Record("SetTextColor", Hex(c));
    return old;
  }
  void SetBrush(const Brush& b) override {
    brush = b;
    Record("SetBrush", Hex(b.Color), b.Style == TBrushStyle::bsClear ? "clear" : "solid");
  }
  void SetPen(const Pen& p) override {
    pen = p;
    Record("SetPen", Hex(p.Color), p.Width, static_cast<int>(p.Style));
  }
  void FillRect(const Rect& r) override { Record("FillRect", R(r), Hex(brush.Color)); }

  // Measures through the layout the Qt canvas uses, which follows DrawText's rules for line
  // ends, word breaks and "&" prefixes. Empty text has no line.
  int DrawText(std::string_view text, Rect& rect, std::uint32_t flags) override {
    const std::vector<TextLine> lines = LayOutText(text, flags, rect.Width(), Measure());
    int width = 0;
    for (const TextLine& line : lines) width = std::max(width, line.width);
    const int height = static_cast<int>(lines.size()) * kLineHeight;
    if (flags & DT_CALCRECT) {
      rect.Right = rect.Left + width;
      rect.Bottom = rect.Top + height;
      Record("CalcText", std::string(text), R(rect), Hex(flags));
    } else {
      Record("DrawText", std::string(text), R(rect), Hex(flags), Hex(textColor));
    }
    return height;
  }

  // kCharWidth pixels per code point, tab stops every eight characters.
  static TextMeasure Measure() {
    return {[](std::string_view s) { return static_cast<int>(CodePointCount(s)) * kCharWidth; },
            8 * kCharWidth};
  }

  Size TextExtent(std::string_view text) override { return {Measure().width(text), kLineHeight}; }
  void TextRect(const Rect& r, int x, int y, std::string_view text) override {
    Record("TextRect", R(r), x, y, std::string(text), Hex(textColor),
           brush.Style == TBrushStyle::bsClear ? "clear" : Hex(brush.Color));
  }
  void DrawFocusRect(const Rect& r) override { Record("FocusRect", R(r)); }
  void DrawEdge(const Rect& r, std::uint32_t edge, std::uint32_t sides) override {
    Record("DrawEdge", R(r), Hex(edge), Hex(sides));
  }
  void Polyline(std::span<const Segment> segments) override {
    std::ostringstream s;
    for (const Segment& seg : segments) {
      s << " " << seg.from.x << "," << seg.from.y << "-" << seg.to.x << "," << seg.to.y;
    }
    Record("Polyline", Hex(pen.Color), pen.Width, s.str().substr(segments.empty() ? 0 : 1));
  }
  void MoveTo(int x, int y) override { Record("MoveTo", x, y); }
  void LineTo(int x, int y) override { Record("LineTo", x, y); }
  TColor ColorToRGB(TColor c) override {
    return IsSystemColor(c) ? (0x00FF0000u | SystemColorIndex(c)) : c;
  }

  static std::string Hex(std::uint32_t v) {
    std::ostringstream s;
    s << "0x" << std::hex << v;
    return s.str();
  }
  static std::string R(const Rect& r) {
    std::ostringstream s;
    s << "(" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << ")";
    return s.str();
  }

 private:
  template <typename... Args>
  void Record(const char* op, const Args&... args) {
    std::ostringstream s;
    s << op;
    ((s << " " << args), ...);
    calls.push_back(s.str());
  }
};

// The calls of one paint of `control`.
template <class Control>
std::vector<std::string> Painted(Control& control) {
  RecordingCanvas canvas;
  control.Paint(canvas);
  return canvas.calls;
}

// How many of `calls` begin with `prefix`.
inline int CountCalls(const std::vector<std::string>& calls, std::string_view prefix) {
  return static_cast<int>(
      std::ranges::count_if(calls, [&](const std::string& c) { return c.starts_with(prefix); }));
}

}  // namespace dorvane::testing
