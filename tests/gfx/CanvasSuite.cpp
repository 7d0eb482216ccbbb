// One canvas suite for both front ends: built with QtCanvas in the Qt build and with GdiCanvas
// in the Windows one (each defines PaintCanvas), at 100 % and at 150 %, where every logical
// pixel is one and a half device pixels. And the drawing rules the two canvases share.
#include "CanvasSuite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "gfx/TextFlags.h"

namespace dorvane::testing {
namespace {

const TColor kBlue = RGB(0, 0, 255);

// The bounding box of the device pixels that differ from `base` (or from the paper).
Rect InkBox(const Picture& p, const Picture* base = nullptr) {
  Rect box;
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      if (p.At(x, y) != (base ? base->At(x, y) : kPaper)) box |= Rect{x, y, x + 1, y + 1};
    }
  }
  return box;
}

class CanvasTest : public ::testing::TestWithParam<int> {
 protected:
  // The device pixels a logical rectangle may touch.
  Rect Device(const Rect& r) const {
    const auto up = [&](int v) { return (v * GetParam() + 99) / 100; };
    return {r.Left * GetParam() / 100, r.Top * GetParam() / 100, up(r.Right), up(r.Bottom)};
  }
  Picture Paint(int w, int h, const std::function<void(Canvas&)>& draw, int scale = 0) const {
    return PaintCanvas(w, h, scale ? scale : GetParam(), [&](Canvas& c) {
      c.SetFont(Font{.Color = clBlack});
      c.SetBrush({kBlue, TBrushStyle::bsClear});
      draw(c);
    });
  }
  Picture Text(std::string_view text, Rect r, std::uint32_t flags) const {
    return Paint(r.Right + 10, r.Bottom + 10, [&](Canvas& c) { c.DrawText(text, r, flags); });
  }
  // DT_CALCRECT's rectangle from `r`, with the height DrawText returns in its Top.
  Rect Measure(std::string_view text, Rect r, std::uint32_t flags = 0, int scale = 0) const {
    int height = 0;
    Paint(
        1, 1, [&](Canvas& c) { height = c.DrawText(text, r, flags | DT_CALCRECT); }, scale);
    EXPECT_EQ(height, r.Height()) << text;
    return r;
  }
};

INSTANTIATE_TEST_SUITE_P(Scale, CanvasTest, ::testing::Values(100, 150));

// A box made from the measures holds its text whole; the measures follow the "&" prefixes,
// tab stops and word breaks, and grow with the scale as a real font does.
TEST_P(CanvasTest, MeasuredBoxesHoldTheirText) {
  const struct {
    std::string_view text;
    std::uint32_t flags;
    int width;
  } cases[] = {{"Mercredi 16 décembre 2026", DT_NOPREFIX, 0},
               {"Indice de grille hors limites", DT_WORDBREAK, 60},
               {"&Jour\tsuivant", DT_EXPANDTABS, 0}};
  for (const auto& c : cases) {
    const Rect box = Measure(c.text, {10, 20, 10 + c.width, 20}, c.flags);
    EXPECT_EQ(InkBox(Text(c.text, box, c.flags)) | Device(box), Device(box)) << c.text;
    const int atHundred = Measure(c.text, {10, 20, 10 + c.width, 20}, c.flags, 100).Width();
    if (c.width == 0) EXPECT_NEAR(box.Width(), atHundred * GetParam() / 100, atHundred / 8);
  }
  const auto width = [&](std::string_view text) { return Measure(text, {}, DT_NOPREFIX).Right; };
  EXPECT_EQ(Measure("&Fichier", {}).Right, width("Fichier"));
  EXPECT_EQ(Measure("Tom && Jerry", {}).Right, width("Tom & Jerry"));
  EXPECT_EQ(Measure("a\tb", {}, DT_EXPANDTABS).Right, Measure("W\tb", {}, DT_EXPANDTABS).Right);
  const int line = Measure("x", {}).Bottom;
  if (GetParam() == 100) EXPECT_EQ(line, 13);  // the window font's lines, as the layouts count
  const int two = width("Lundi mardi");
  EXPECT_EQ(Measure("Lundi mardi mercredi", {0, 0, two, 0}, DT_WORDBREAK).Bottom, 2 * line);
  EXPECT_EQ(Measure("Lundi mardi mercredi", {0, 0, two - 1, 0}, DT_WORDBREAK).Bottom, 3 * line);
}

TEST_P(CanvasTest, AlignsClipsAndUnderlinesTheMarkedCharacter) {
  const Rect r{20, 5, 180, 35};
  const Rect d = Device(r);
  EXPECT_LT(InkBox(Text("Mardi", r, DT_LEFT)).Left, d.Left + 4 * GetParam() / 100);
  const Rect right = InkBox(Text("Mardi", r, DT_RIGHT));
  EXPECT_GT(right.Right, d.Right - 6 * GetParam() / 100);
  EXPECT_LE(right.Right, d.Right);
  const Rect centre = InkBox(Text("Mardi", r, DT_CENTER));
  EXPECT_NEAR(centre.Left + centre.Right, d.Left + d.Right, 6 * GetParam() / 100);
  EXPECT_EQ(InkBox(Text("Mardi", {20, 5, 30, 12}, 0)) | Device({20, 5, 30, 12}),
            Device({20, 5, 30, 12}));
  EXPECT_TRUE(InkBox(Text("Mardi", r, DT_CALCRECT)).IsEmpty());
  // The underline adds ink below the second x only.
  const Picture plain = Text("xx", r, 0);
  const Rect extra = InkBox(Text("x&x", r, 0), &plain);
  ASSERT_FALSE(extra.IsEmpty());
  EXPECT_GE(extra.Left, Device({r.Left + Measure("x", {}).Right - 1, 0, 0, 0}).Left);
  EXPECT_GT(extra.Top, InkBox(plain).Top + 3);
}

// Opaque text fills behind its line only; TextRect fills its whole rectangle, and clips.
TEST_P(CanvasTest, OpaqueTextFillsItsBackground) {
  const Picture text = Paint(100, 50, [](Canvas& c) {
    c.SetBrush({kBlue});
    Rect r{10, 10, 90, 40};
    c.DrawText("ab", r, DT_LEFT);
  });
  const Rect d = Device({10, 10, 90, 40});
  EXPECT_EQ(text.At(d.Left, d.Top), kBlue);
  EXPECT_EQ(text.At(d.Left - 1, d.Top), kPaper);
  EXPECT_EQ(text.At(d.Right - 2, d.Top), kPaper);
  const Picture rect = Paint(60, 30, [](Canvas& c) {
    c.SetBrush({kBlue});
    c.TextRect({10, 5, 30, 20}, 12, 6, "Dimanche");
  });
  EXPECT_EQ(InkBox(rect), Device({10, 5, 30, 20}));
  EXPECT_NE(std::count(rect.pixels.begin(), rect.pixels.end(), kBlue),
            InkBox(rect).Width() * InkBox(rect).Height());
}

// Drawn twice, the focus rectangle leaves the image as it was; drawn once, it changes pixels
// of the frame only.
TEST_P(CanvasTest, FocusRectangleTwiceRestoresTheImage) {
  const auto paint = [&](int times) {
    return Paint(40, 30, [&](Canvas& c) {
      for (int i = 0; i < 40 * 30; ++i) {
        c.SetBrush({RGB(static_cast<std::uint8_t>(i % 40 * 6),
                        static_cast<std::uint8_t>(i / 40 * 8), 90)});
        c.FillRect({i % 40, i / 40, i % 40 + 1, i / 40 + 1});
      }
      for (int i = 0; i < times; ++i) c.DrawFocusRect({5, 4, 25, 20});
    });
  };
  const Picture base = paint(0);
  EXPECT_EQ(paint(2).pixels, base.pixels);
  const Picture once = paint(1);
  const Rect frame = InkBox(once, &base);
  EXPECT_EQ(frame | Device({5, 4, 25, 20}), Device({5, 4, 25, 20}));
  EXPECT_EQ(frame | Device({6, 5, 24, 19}), frame);
  for (int y = Device({0, 6, 0, 0}).Top; y < Device({0, 0, 0, 18}).Top; ++y) {
    for (int x = Device({7, 0, 0, 0}).Left; x < Device({23, 0, 0, 0}).Left; ++x) {
      EXPECT_EQ(once.At(x, y), base.At(x, y)) << x << "," << y;
    }
  }
}

// Fills, edges and lines cover whole device pixels at any scale, without blends; edges take
// the system's colours, and dashes fill their gaps with a solid brush's colour only.
TEST_P(CanvasTest, FillsEdgesAndLines) {
  TColor light = 0;
  TColor dark = 0;
  const Picture p = Paint(12, 12, [&](Canvas& c) {
    for (int i = 0; i < 144; ++i) {
      c.SetBrush({(i % 12 + i / 12) % 2 ? clBlack : kBlue});
      c.FillRect({i % 12, i / 12, i % 12 + 1, i / 12 + 1});
    }
    c.DrawEdge({2, 2, 10, 10}, BDR_RAISEDINNER, BF_RECT);
    c.SetPen({clBlack, 1});
    c.MoveTo(12, 0);
    c.LineTo(0, 12);
    light = c.ColorToRGB(clBtnHighlight);
    dark = c.ColorToRGB(clBtnShadow);
  });
  for (TColor pixel : p.pixels)
    EXPECT_TRUE(pixel == clBlack || pixel == kBlue || pixel == light || pixel == dark)
        << std::hex << pixel;
  const Rect edge = Device({2, 2, 10, 10});
  EXPECT_EQ(p.At(edge.Left, edge.Top), light);
  EXPECT_EQ(p.At(edge.Right - 1, edge.Bottom - 1), dark);

  const auto dashed = [&](TBrushStyle style) {
    return Paint(60, 5, [&](Canvas& c) {
      c.SetPen({clBlack, 1, TPenStyle::psDash});
      c.SetBrush({kBlue, style});
      c.MoveTo(0, 2);
      c.LineTo(60, 2);
    });
  };
  const Picture solid = dashed(TBrushStyle::bsSolid);
  const Picture clear = dashed(TBrushStyle::bsClear);
  const int y = InkBox(clear).Top;
  int blacks = 0;
  for (int x = 0; x < Device({59, 0, 0, 0}).Left; ++x) {
    blacks += solid.At(x, y) == clBlack;
    EXPECT_EQ(solid.At(x, y), clear.At(x, y) == clBlack ? clBlack : kBlue) << x;
    EXPECT_EQ(clear.At(x, y), solid.At(x, y) == clBlack ? clBlack : kPaper) << x;
  }
  EXPECT_GT(blacks, 20);
  EXPECT_LT(blacks, Device({59, 0, 0, 0}).Left - 10);
}

// ---- The rules both canvases share, on plain values ----

// A 3-D edge's pixels row by row, "/" ending each: l, d for cl3DLight and cl3DDkShadow, L, D
// for clBtnHighlight and clBtnShadow.
std::string EdgePicture(Rect r, std::uint32_t edge, std::uint32_t sides) {
  const int w = r.Width() + 1;
  std::string rows(static_cast<std::size_t>(r.Height() * w), '.');
  for (int y = 1; y <= r.Height(); ++y) rows[static_cast<std::size_t>(y * w - 1)] = '/';
  for (const EdgeStrip& s : EdgeStrips(r, edge, sides)) {
    const char letter = s.color == cl3DLight        ? 'l'
                        : s.color == cl3DDkShadow   ? 'd'
                        : s.color == clBtnHighlight ? 'L'
                                                    : 'D';
    for (int y = s.rect.Top; y < s.rect.Bottom; ++y) {
      for (int x = s.rect.Left; x < s.rect.Right; ++x) {
        rows[static_cast<std::size_t>((y - r.Top) * w + x - r.Left)] = letter;
      }
    }
  }
  return rows;
}

TEST(EdgeStrips, TopAndLeftLightThenBottomAndRightDark) {
  EXPECT_EQ(EdgePicture({3, 2, 7, 5}, BDR_RAISEDINNER, BF_RECT), "LLLD/L..D/DDDD/");
  EXPECT_EQ(EdgePicture({0, 0, 5, 5}, BDR_SUNKENOUTER | BDR_SUNKENINNER, BF_RECT),
            "DDDDL/DddlL/Dd.lL/DlllL/LLLLL/");
  EXPECT_EQ(EdgePicture({0, 0, 4, 4}, BDR_RAISEDOUTER | BDR_RAISEDINNER, BF_BOTTOMRIGHT),
            "..Dd/..Dd/DDDd/dddd/");
  EXPECT_EQ(EdgePicture({0, 0, 3, 2}, BDR_RAISEDINNER, BF_TOPLEFT), "LLL/L../");
}

TEST(SolidRun, StraightSolidRunsLeaveOutTheirEndAndCentreWidePens) {
  const struct {
    Point from, to;
    Pen pen;
    std::optional<Rect> run;
  } cases[] = {
      {{2, 5}, {12, 5}, {clBlack, 1}, Rect{2, 5, 12, 6}},
      {{12, 5}, {2, 5}, {clBlack, 1}, Rect{3, 5, 13, 6}},
      {{4, 9}, {4, 3}, {clBlack, 0}, Rect{4, 4, 5, 10}},
      {{4, 10}, {20, 10}, {clBlack, 3}, Rect{4, 9, 20, 12}},
      {{25, 2}, {25, 8}, {clBlack, 4, TPenStyle::psDot}, Rect{23, 2, 27, 8}},
      {{0, 2}, {60, 2}, {clBlack, 1, TPenStyle::psDash}, std::nullopt},
      {{0, 0}, {10, 10}, {clBlack, 1}, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(SolidRun(c.from, c.to, c.pen), c.run) << c.from.x;
}

}  // namespace
}  // namespace dorvane::testing
