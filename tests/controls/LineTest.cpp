#include "controls/Lines.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "RecordingCanvas.h"

namespace dorvane {
namespace {

class FakeLineHost : public LineHost {
 public:
  int invalidations = 0;
  Rect rect;
  void Invalidate() override { ++invalidations; }
  Rect Bounds() const override { return rect; }
  void SetBounds(const Rect& r) override { rect = r; }
};

// The segment one paint of the line draws, as "x0,y0-x1,y1".
std::string Paint(TLine& line) {
  std::string from;
  std::string to;
  for (const std::string& c : testing::Painted(line)) {
    if (c.starts_with("MoveTo ")) from = c.substr(7);
    if (c.starts_with("LineTo ")) to = c.substr(7);
  }
  const auto comma = [](std::string s) {
    if (const auto space = s.find(' '); space != std::string::npos) s[space] = ',';
    return s;
  };
  return comma(from) + "-" + comma(to);
}

std::string Size(const TLine& line) {
  return std::to_string(line.Width()) + "x" + std::to_string(line.Height());
}

class LineTest : public ::testing::Test {
 protected:
  FakeLineHost host;
  TLine line{host};
};

TEST_F(LineTest, FiguresOfTheControlsSize) {
  const struct {
    TLineType type;
    const char* first;
    const char* size;
    const char* second;
  } cases[] = {
      {ltHorizontal, "0,24-99,24", "100x10", "0,4-99,4"},
      {ltVertical, "49,0-49,49", "10x50", "4,0-4,49"},
      {ltTop, "0,0-99,0", "100x50", "0,0-99,0"},
      {ltBottom, "0,49-99,49", "100x50", "0,49-99,49"},
      {ltLeft, "0,0-0,49", "100x50", "0,0-0,49"},
      {ltRight, "99,0-99,49", "100x50", "99,0-99,49"},
      {ltUpDiagonal, "0,49-99,0", "100x50", "0,49-99,0"},
      {ltDownDiagonal, "0,0-99,49", "100x50", "0,0-99,49"},
  };
  for (const auto& c : cases) {
    FakeLineHost h;
    TLine l{h};
    l.SetBounds(0, 0, 100, 50);
    l.SetLine(c.type);
    EXPECT_EQ(Paint(l), c.first) << c.type;
    EXPECT_EQ(Size(l), c.size) << c.type;
    EXPECT_EQ(Paint(l), c.second) << c.type;
  }
}

TEST_F(LineTest, SizeChangesWhenTheTypeChanges) {
  const struct {
    TLineType from;
    int width;
    int height;
    TLineType to;
    const char* size;
  } cases[] = {
      // One row for each way a figure's size changes.
      {ltHorizontal, 196, 10, ltVertical, "10x196"},
      {ltHorizontal, 196, 10, ltLeft, "65x196"},
      {ltHorizontal, 196, 10, ltUpDiagonal, "196x65"},
      {ltHorizontal, 196, 10, ltCustom, "196x10"},
      {ltVertical, 10, 196, ltHorizontal, "196x10"},
      {ltVertical, 10, 196, ltBottom, "196x65"},
      {ltVertical, 10, 196, ltDownDiagonal, "65x196"},
      {ltVertical, 10, 196, ltCustom, "10x196"},
      {ltTop, 120, 30, ltLeft, "120x30"},
      {ltCustom, 120, 30, ltVertical, "120x30"},
  };
  for (const auto& c : cases) {
    FakeLineHost h;
    TLine l{h};
    l.SetLine(c.from);
    l.SetBounds(3, 4, c.width, c.height);
    const int before = h.invalidations;
    l.SetLine(c.to);
    EXPECT_EQ(Size(l), c.size) << c.from << " -> " << c.to;
    EXPECT_EQ(l.Left(), 3);
    EXPECT_EQ(l.Top(), 4);
    EXPECT_GT(h.invalidations, before);
    const int after = h.invalidations;
    l.SetLine(c.to);
    EXPECT_EQ(h.invalidations, after);  // the same type again: nothing
  }
}

TEST_F(LineTest, CustomPointsAreClampedAtZeroAndGrowTheControl) {
  line.SetToX(100);
  EXPECT_EQ(Paint(line), "0,0-100,35");
  EXPECT_EQ(Size(line), "101x65");

  line.SetFromY(-5);
  line.SetToX(-7);
  EXPECT_EQ(Paint(line), "0,0-0,35");
  EXPECT_EQ(line.FromY(), 0);
  EXPECT_EQ(line.ToX(), 0);
  EXPECT_EQ(Size(line), "101x65");  // never shrinks

  line.SetToY(200);
  line.SetFromY(300);
  Paint(line);
  EXPECT_EQ(Size(line), "101x301");

  line.SetFromX(std::numeric_limits<int>::max());
  Paint(line);
  EXPECT_EQ(line.Width(), std::numeric_limits<int>::max());
  line.SetBounds(40, 0, 10, 10);
  Paint(line);
  EXPECT_EQ(line.Left() + line.Width(), std::numeric_limits<int>::max());
}

TEST_F(LineTest, HorizontalWithAWidePenIsTenPenWidthsHigh) {
  Pen pen;
  pen.Width = 3;
  line.SetPen(pen);
  line.SetLine(ltHorizontal);
  EXPECT_EQ(Paint(line), "0,32-64,32");
  EXPECT_EQ(Size(line), "65x30");
  EXPECT_EQ(Paint(line), "0,14-64,14");

  line.Pen().SetWidth(0);  // still draws one pixel, and stays ten pixels high
  Paint(line);
  EXPECT_EQ(Size(line), "65x10");
}

// The size a line gives itself while painting reaches a host that defers it (no platform
// moves a control during a paint) only when the host applies it, once the paint is over.
TEST_F(LineTest, BoundsSetWhilePaintingWaitForTheHost) {
  struct DeferringHost : FakeLineHost {
    TLine* waiting = nullptr;
    void BoundsPending(TLine& pending) override { waiting = &pending; }
  } deferring;
  TLine deferred{deferring};
  deferred.SetLine(ltHorizontal);
  Paint(deferred);
  EXPECT_EQ(deferring.rect, (Rect{0, 0, 65, 65}));  // not moved during the paint
  EXPECT_EQ(Size(deferred), "65x10");               // as it will be
  ASSERT_EQ(deferring.waiting, &deferred);
  deferred.ApplyPendingBounds();
  EXPECT_EQ(deferring.rect, (Rect{0, 0, 65, 10}));
}

TEST_F(LineTest, CoordinatesAreReadOnlyUnlessCustom) {
  line.SetLine(ltVertical);
  Paint(line);
  const int before = host.invalidations;
  line.SetFromX(20);
  line.SetToY(3);
  EXPECT_EQ(line.FromX(), 32);
  EXPECT_EQ(line.ToY(), 64);
  EXPECT_EQ(host.invalidations, before);
  line.SetLine(ltCustom);
  EXPECT_EQ(line.FromX(), 32);  // the points of the last vertical paint
  line.SetFromX(20);
  line.SetFromX(20);  // equal values repaint too
  EXPECT_EQ(line.FromX(), 20);
  EXPECT_EQ(host.invalidations, before + 3);
}

TEST_F(LineTest, PenAndBrushChangesRepaint) {
  int before = host.invalidations;
  line.Pen().SetColor(clWhite);
  EXPECT_EQ(host.invalidations, before + 1);
  line.Pen().SetColor(clWhite);
  EXPECT_EQ(host.invalidations, before + 1);
  line.Pen().SetStyle(TPenStyle::psDot);
  line.Brush().SetStyle(TBrushStyle::bsClear);
  line.Brush().SetColor(clPurple);
  line.SetBrush(Brush{});
  EXPECT_EQ(host.invalidations, before + 5);
  const std::vector<std::string> calls = testing::Painted(line);
  EXPECT_EQ(calls[0], "SetPen 0xffffff 1 2");
  EXPECT_EQ(calls[1], "SetBrush 0xffffff solid");
}

}  // namespace
}  // namespace dorvane
