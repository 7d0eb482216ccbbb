// One canvas suite for both front ends, built with QtCanvas in the Qt build and with GdiCanvas
// in the Windows one (each defines PaintCanvas), at 100 % and at 150 %; and the drawing rules
// the two canvases share, on plain values.
#include "CanvasSuite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>

#include "gfx/TextFlags.h"

namespace dorvane::testing {
namespace {

const TColor kBlue = RGB(0, 0, 255);

// The bounding box of the device pixels that differ from `base` (or from the paper).
Rect InkBox(const Picture& p, const Picture* base = nullptr) {
  Rect box;
  for (int i = 0; i < p.width * p.height; ++i) {
    const int x = i % p.width;
    const int y = i / p.width;
    if (p.At(x, y) != (base ? base->At(x, y) : kPaper)) box = UnionRect(box, {x, y, x + 1, y + 1});
  }
  return box;
}

bool Holds(const Rect& outer, const Rect& inner) {
  return UnionRect(outer, inner) == outer;
}

class CanvasTest : public ::testing::TestWithParam<int> {
 protected:
  // The device pixels a rectangle may touch.
  Rect Device(const Rect& r) const {
    const auto up = [&](int v) { return (v * GetParam() + 99) / 100; };
    return {r.Left * GetParam() / 100, r.Top * GetParam() / 100, up(r.Right), up(r.Bottom)};
  }
  // Black text in the window font, on a clear brush unless `draw` says otherwise.
  Picture Paint(Rect area, const std::function<void(Canvas&)>& draw, int scale = 0) const {
    return PaintCanvas(area.Right, area.Bottom, scale ? scale : GetParam(), [&](Canvas& c) {
      c.SetFont(Font{.Color = clBlack});
      c.SetBrush({kBlue, TBrushStyle::bsClear});
      draw(c);
    });
  }
  Picture Text(std::string_view text, Rect r, std::uint32_t flags) const {
    return Paint({0, 0, 200, 60}, [&](Canvas& c) { c.DrawText(text, r, flags); });
  }
  Rect Ink(std::string_view text, Rect r, std::uint32_t flags) const {
    return InkBox(Text(text, r, flags));
  }
  // DT_CALCRECT's rectangle from `r`, whose height DrawText returns.
  Rect Measure(std::string_view text, Rect r, std::uint32_t flags = 0, int scale = 0) const {
    int height = 0;
    Paint(
        {0, 0, 1, 1}, [&](Canvas& c) { height = c.DrawText(text, r, flags | DT_CALCRECT); }, scale);
    EXPECT_EQ(height, r.Height()) << text;
    return r;
  }
};

INSTANTIATE_TEST_SUITE_P(Scale, CanvasTest, ::testing::Values(100, 150));

// A box made from the measures holds its text whole; the measures follow the "&" prefixes,
// tab stops and word breaks, and stay about the same at any scale, as a real font's do.
TEST_P(CanvasTest, MeasuredBoxesHoldTheirText) {
  for (const auto& [text, flags] : {std::pair{"Mercredi 16 décembre 2026", DT_NOPREFIX},
                                    std::pair{"&Jour\tsuivant", DT_EXPANDTABS}}) {
    const Rect box = Measure(text, {10, 20, 10, 20}, flags);
    EXPECT_TRUE(Holds(Device(box), Ink(text, box, flags))) << text;
    const int atHundred = Measure(text, {}, flags, 100).Width();
    EXPECT_NEAR(box.Width(), atHundred, atHundred / 8) << text;
  }
  const auto width = [&](std::string_view text) { return Measure(text, {}, DT_NOPREFIX).Right; };
  EXPECT_EQ(Measure("&Fichier", {}).Right, width("Fichier"));
  EXPECT_EQ(Measure("Tom && Jerry", {}).Right, width("Tom & Jerry"));
  EXPECT_EQ(Measure("a\tb", {}, DT_EXPANDTABS).Right, Measure("W\tb", {}, DT_EXPANDTABS).Right);
  if (GetParam() == 100) {
    EXPECT_EQ(Measure("x", {}).Bottom, 13);  // the window font's lines, as the layouts count on
  }
  // Broken where the first two words and their blank fit, or before the second word.
  const Rect two = Measure("Lundi mardi mercredi", {0, 0, width("Lundi mardi "), 0}, DT_WORDBREAK);
  EXPECT_EQ(two.Bottom, Measure("Lundi mardi\nmercredi", {}).Bottom);
  const int narrow = width("Lundi mardi") - 1;
  const Rect three = Measure("Lundi mardi mercredi", {0, 0, narrow, 0}, DT_WORDBREAK);
  EXPECT_EQ(three.Bottom, Measure("Lundi\nmardi\nmercredi", {}).Bottom);
  EXPECT_TRUE(Holds(Device(three), Ink("Lundi mardi mercredi", three, DT_WORDBREAK)));
}

TEST_P(CanvasTest, AlignsClipsAndUnderlinesTheMarkedCharacter) {
  const Rect r{20, 6, 180, 36};
  const Rect d = Device(r);
  const int slack = 6 * GetParam() / 100;
  EXPECT_LT(Ink("Mardi", r, DT_LEFT).Left, d.Left + slack);
  EXPECT_GT(Ink("Mardi", r, DT_RIGHT).Right, d.Right - slack);
  EXPECT_LE(Ink("Mardi", r, DT_RIGHT).Right, d.Right);
  const Rect centre = Ink("Mardi", r, DT_CENTER);
  EXPECT_NEAR(centre.Left + centre.Right, d.Left + d.Right, slack);
  EXPECT_TRUE(Holds(Device({20, 6, 30, 12}), Ink("Mardi", {20, 6, 30, 12}, 0)));
  EXPECT_TRUE(Ink("Mardi", r, DT_CALCRECT).IsEmpty());
  // The underline adds ink below the second x only.
  const Picture plain = Text("xx", r, 0);
  const Rect underline = InkBox(Text("x&x", r, 0), &plain);
  ASSERT_FALSE(underline.IsEmpty());
  EXPECT_GE(underline.Left, Device({r.Left + Measure("x", {}).Right - 1, 0, 0, 0}).Left);
  EXPECT_GT(underline.Top, InkBox(plain).Top + 3 * GetParam() / 100);
}

// Fills cover whole device pixels at any scale, without gaps or blends; drawn twice, the focus
// rectangle leaves them as they were, and drawn once it changes pixels of its frame only.
TEST_P(CanvasTest, FillsAndTheFocusRectangle) {
  const auto cells = [&](int focus) {
    return Paint({0, 0, 12, 12}, [&](Canvas& c) {
      for (int i = 0; i < 144; ++i) {
        c.SetBrush({(i % 12 + i / 12) % 2 ? clBlack : kBlue});
        c.FillRect({i % 12, i / 12, i % 12 + 1, i / 12 + 1});
      }
      for (int i = 0; i < focus; ++i) c.DrawFocusRect({2, 2, 10, 10});
    });
  };
  const Picture base = cells(0);
  EXPECT_EQ(std::count(base.pixels.begin(), base.pixels.end(), kBlue) +
                std::count(base.pixels.begin(), base.pixels.end(), clBlack),
            base.width * base.height);
  EXPECT_EQ(cells(2).pixels, base.pixels);
  const Picture once = cells(1);
  const Rect frame = InkBox(once, &base);
  EXPECT_TRUE(Holds(Device({2, 2, 10, 10}), frame));
  EXPECT_TRUE(Holds(frame, Device({3, 3, 9, 9})));
  const Rect middle = Device({6, 6, 8, 8});
  EXPECT_EQ(once.At(middle.Left, middle.Top), base.At(middle.Left, middle.Top));
}

// A solid brush fills the gaps of dashes and behind a text's line; a clear one leaves them.
TEST_P(CanvasTest, ASolidBrushFillsBehindDashesAndText) {
  const Picture p = Paint({0, 0, 60, 30}, [](Canvas& c) {
    c.SetPen({clBlack, 1, TPenStyle::psDash});
    for (const int y : {2, 6}) {
      c.SetBrush({kBlue, y == 2 ? TBrushStyle::bsSolid : TBrushStyle::bsClear});
      c.MoveTo(0, y);
      c.LineTo(60, y);
    }
    c.SetBrush({kBlue});
    Rect r{10, 10, 60, 30};
    c.DrawText("ab", r, DT_LEFT);
  });
  const int solid = InkBox(p).Top;
  const int clear = solid + Device({0, 4, 0, 0}).Top;
  int blacks = 0;
  for (int x = 0; x < Device({59, 0, 0, 0}).Left; ++x) {
    blacks += p.At(x, clear) == clBlack;
    EXPECT_EQ(p.At(x, solid), p.At(x, clear) == clBlack ? clBlack : kBlue) << x;
    EXPECT_EQ(p.At(x, clear), p.At(x, solid) == clBlack ? clBlack : kPaper) << x;
  }
  EXPECT_GT(blacks, 20);
  EXPECT_LT(blacks, Device({59, 0, 0, 0}).Left - 10);
  const Rect line = Device({10, 10, 60, 24});
  EXPECT_EQ(p.At(line.Left, line.Top), kBlue);
  EXPECT_EQ(p.At(line.Left - 1, line.Top), kPaper);
  EXPECT_EQ(p.At(line.Right - 1, line.Top), kPaper);
  EXPECT_EQ(p.At(line.Left, line.Bottom + 2), kPaper);
}

// A 3-D edge's pixels row by row, each row ended by "/": l, d for cl3DLight and cl3DDkShadow,
// L, D for clBtnHighlight and clBtnShadow.
std::string EdgePicture(Rect r, std::uint32_t edge, std::uint32_t sides) {
  static const std::map<TColor, char> kLetters{
      {cl3DLight, 'l'}, {cl3DDkShadow, 'd'}, {clBtnHighlight, 'L'}, {clBtnShadow, 'D'}};
  std::string rows;
  for (int y = r.Top; y < r.Bottom; ++y)
    rows += std::string(static_cast<std::size_t>(r.Width()), '.') + "/";
  for (const EdgeStrip& s : EdgeStrips(r, edge, sides)) {
    for (int i = 0; i < s.rect.Width() * s.rect.Height(); ++i) {
      const int x = s.rect.Left + i % s.rect.Width() - r.Left;
      const int y = s.rect.Top + i / s.rect.Width() - r.Top;
      rows[static_cast<std::size_t>(y * (r.Width() + 1) + x)] = kLetters.at(s.color);
    }
  }
  return rows;
}

TEST(EdgeStrips, TopAndLeftLightThenBottomAndRightDark) {
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
