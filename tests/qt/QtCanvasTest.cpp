#include "qt/QtCanvas.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <functional>

#include "gfx/TextFlags.h"
#include "qt/QtMouseButton.h"

namespace dorvane {
namespace {

const QColor kPaper(250, 240, 200);

QPalette TestPalette() {
  QPalette p;
  p.setColor(QPalette::Button, QColor(10, 20, 30));
  p.setColor(QPalette::Base, QColor(11, 21, 31));
  p.setColor(QPalette::Text, QColor(12, 22, 32));
  p.setColor(QPalette::Highlight, QColor(13, 23, 33));
  p.setColor(QPalette::HighlightedText, QColor(14, 24, 34));
  p.setColor(QPalette::Dark, QColor(15, 25, 35));
  p.setColor(QPalette::Light, QColor(16, 26, 36));
  p.setColor(QPalette::ButtonText, QColor(17, 27, 37));
  p.setColor(QPalette::Shadow, QColor(18, 28, 38));
  p.setColor(QPalette::Midlight, QColor(19, 29, 39));
  p.setColor(QPalette::Disabled, QPalette::Text, QColor(20, 30, 40));
  return p;
}

QImage Paint(int w, int h, const std::function<void(QtCanvas&)>& draw, qreal dpr = 1.0) {
  QImage image(static_cast<int>(w * dpr), static_cast<int>(h * dpr),
               QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(dpr);
  image.fill(kPaper);
  QPainter painter(&image);
  QtCanvas canvas(painter, TestPalette());
  draw(canvas);
  painter.end();
  return image;
}

// Pixels that are not the paper colour, as a bounding box in device pixels (empty if none).
QRect InkBox(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) != kPaper) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

Font TestFont() {
  Font f;
  f.Name = "DejaVu Sans";
  f.Height = -13;
  f.Color = clBlack;
  return f;
}

TEST(QtCanvasTest, MeasuresWithTheFontsOwnMetrics) {
  QtCanvas canvas{TestPalette()};
  for (const Font& font : {TestFont(), Font{}, Font{"Arial", -20, clBlack, true}}) {
    canvas.SetFont(font);
    const QFontMetrics fm(ToQFont(font));
    for (const char* text : {"", "Décembre 2026", "Lundi 7 décembre", "W", "i i i"}) {
      const Size s = canvas.TextExtent(text);
      EXPECT_EQ(s.cx, fm.horizontalAdvance(QString::fromUtf8(text))) << text;
      EXPECT_EQ(s.cy, fm.height()) << text;
      Rect r{5, 7, 5, 7};
      const int height = canvas.DrawText(text, r, DT_CALCRECT | DT_NOPREFIX);
      EXPECT_EQ(r.Left, 5);
      EXPECT_EQ(r.Top, 7);
      EXPECT_EQ(r.Right, 5 + (std::string_view(text).empty() ? 0 : s.cx)) << text;
      EXPECT_EQ(height, std::string_view(text).empty() ? 0 : fm.height());
    }
  }
}

TEST(QtCanvasTest, FontPixelHeights) {
  EXPECT_EQ(ToQFont(Font{"MS Sans Serif", -11}).pixelSize(), 11);
  EXPECT_TRUE(ToQFont(Font{"x", -11, clBlack, true}).bold());
  // A positive height is the cell: the metrics' height must not pass it.
  const QFont cell = ToQFont(Font{"DejaVu Sans", 16});
  EXPECT_LE(QFontMetrics(cell).height(), 16);
  EXPECT_GE(QFontMetrics(cell).height(), 13);
  const Font back = FromQFont(ToQFont(TestFont()), 96);
  EXPECT_EQ(back.Height, -13);
  QFont points("DejaVu Sans");
  points.setPointSize(9);
  EXPECT_EQ(FromQFont(points, 96).Height, -12);
}

TEST(QtCanvasTest, WindowsFamiliesKeepTheirLineHeight) {
  // The fixed layouts count on 13-pixel lines for the 11-pixel window font.
  const QStringList fallbacks{"Liberation Sans", "Arimo", "DejaVu Sans Condensed"};
  if (std::none_of(fallbacks.begin(), fallbacks.end(), QFontDatabase::hasFamily)) {
    GTEST_SKIP() << "none of the fallback families is installed";
  }
  for (const char* name : {"MS Sans Serif", "Tahoma", "Arial"}) {
    const QFont font = ToQFont(Font{name, -11});
    EXPECT_TRUE(fallbacks.contains(QFontInfo(font).family()) || QFontInfo(font).family() == name)
        << name;
    EXPECT_EQ(QFontMetrics(font).height(), 13) << name;
  }
}

TEST(QtCanvasTest, PrefixAndWordBreakOnRealText) {
  QtCanvas canvas{TestPalette()};
  canvas.SetFont(TestFont());
  const QFontMetrics fm(ToQFont(TestFont()));
  const auto adv = [&](const char* s) { return fm.horizontalAdvance(QString::fromUtf8(s)); };

  Rect r{0, 0, 0, 0};
  canvas.DrawText("&Fichier", r, DT_CALCRECT);
  EXPECT_EQ(r.Right, adv("Fichier"));
  r = {0, 0, 0, 0};
  canvas.DrawText("Tom && Jerry", r, DT_CALCRECT);
  EXPECT_EQ(r.Right, adv("Tom & Jerry"));
  r = {0, 0, 0, 0};
  canvas.DrawText("Tom && Jerry", r, DT_CALCRECT | DT_NOPREFIX);
  EXPECT_EQ(r.Right, adv("Tom && Jerry"));

  // Broken at the width of the first two words: two lines, as wide as the wider one.
  const int two = adv("Lundi mardi");
  r = {3, 4, 3 + two, 4};
  const int height = canvas.DrawText("Lundi mardi mercredi", r, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(height, 2 * fm.height());
  EXPECT_EQ(r, (Rect{3, 4, 3 + std::max(two, adv("mercredi")), 4 + 2 * fm.height()}));
  r = {3, 4, 3 + two - 1, 4};
  canvas.DrawText("Lundi mardi mercredi", r, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(r.Bottom, 4 + 3 * fm.height());

  // Tabs expand to multiples of eight average characters.
  r = {0, 0, 500, 0};
  canvas.DrawText("a\tb", r, DT_CALCRECT | DT_EXPANDTABS);
  EXPECT_EQ(r.Right, 8 * fm.averageCharWidth() + adv("b"));
}

TEST(QtCanvasTest, UnderlinesTheMarkedCharacterOnly) {
  const auto draw = [](const char* text, std::uint32_t flags) {
    return Paint(60, 30, [&](QtCanvas& c) {
      c.SetFont(TestFont());
      c.SetBrush({clWhite, TBrushStyle::bsClear});
      Rect r{2, 2, 58, 28};
      c.DrawText(text, r, flags);
    });
  };
  const QImage plain = draw("xx", 0);
  const QImage marked = draw("x&x", 0);
  const QImage literal = draw("x&&x", DT_NOPREFIX);
  ASSERT_FALSE(InkBox(plain).isEmpty());
  // The underline adds ink below the glyphs of the second x only.
  QRect extra;
  for (int y = 0; y < plain.height(); ++y) {
    for (int x = 0; x < plain.width(); ++x) {
      if (plain.pixelColor(x, y) != marked.pixelColor(x, y)) extra |= QRect(x, y, 1, 1);
    }
  }
  ASSERT_FALSE(extra.isEmpty());
  const int xWidth = QFontMetrics(ToQFont(TestFont())).horizontalAdvance("x");
  EXPECT_GE(extra.left(), 2 + xWidth - 1);
  EXPECT_GT(extra.top(), InkBox(plain).top() + 3);
  EXPECT_GT(InkBox(literal).width(), InkBox(plain).width());
}

TEST(QtCanvasTest, AlignsAndClipsToTheRectangle) {
  const auto inkOf = [](std::uint32_t flags, Rect r, const char* text = "Mardi") {
    return InkBox(Paint(200, 40, [&](QtCanvas& c) {
      c.SetFont(TestFont());
      c.SetBrush({clWhite, TBrushStyle::bsClear});
      c.DrawText(text, r, flags);
    }));
  };
  const QRect left = inkOf(DT_LEFT, {20, 5, 180, 35});
  const QRect right = inkOf(DT_RIGHT, {20, 5, 180, 35});
  const QRect centre = inkOf(DT_CENTER, {20, 5, 180, 35});
  EXPECT_LT(left.left(), 24);
  EXPECT_GT(right.right(), 174);
  EXPECT_LE(right.right(), 179);
  EXPECT_NEAR((centre.left() + centre.right()) / 2.0, 100, 3);
  // Clipped: nothing outside a rectangle narrower than the text.
  const QRect clipped = inkOf(DT_LEFT, {20, 5, 30, 12});
  EXPECT_GE(clipped.left(), 20);
  EXPECT_LE(clipped.right(), 29);
  EXPECT_LE(clipped.bottom(), 11);
  // Measuring draws nothing.
  EXPECT_TRUE(inkOf(DT_CALCRECT, {20, 5, 180, 35}).isEmpty());
}

TEST(QtCanvasTest, RightToLeftReadingReordersNeutrals) {
  const auto draw = [](std::uint32_t flags) {
    return Paint(80, 30, [&](QtCanvas& c) {
      c.SetFont(TestFont());
      c.SetBrush({clWhite, TBrushStyle::bsClear});
      Rect r{5, 5, 75, 25};
      c.DrawText("ab!", r, flags);
    });
  };
  const QImage ltr = draw(DT_LEFT);
  const QImage rtl = draw(DT_LEFT | DT_RTLREADING);
  // In a right-to-left paragraph the final "!" goes to the left of "ab": same ink, moved.
  EXPECT_NE(ltr, rtl);
  EXPECT_NEAR(InkBox(ltr).width(), InkBox(rtl).width(), 3);
  EXPECT_NEAR(InkBox(ltr).left(), InkBox(rtl).left(), 3);
}

TEST(QtCanvasTest, OpaqueTextFillsBehindEachLine) {
  const QImage image = Paint(100, 40, [](QtCanvas& c) {
    c.SetFont(TestFont());
    c.SetBrush({RGB(0, 0, 255), TBrushStyle::bsSolid});
    Rect r{10, 10, 90, 40};
    c.DrawText("ab", r, DT_LEFT);
  });
  EXPECT_EQ(image.pixelColor(10, 10), QColor(0, 0, 255));
  EXPECT_EQ(image.pixelColor(9, 10), kPaper);
  EXPECT_EQ(image.pixelColor(80, 10), kPaper);
}

TEST(QtCanvasTest, FocusRectangleTwiceRestoresTheImage) {
  const auto pattern = [](QtCanvas&) {};
  QImage base = Paint(40, 30, pattern);
  for (int y = 0; y < base.height(); ++y) {
    for (int x = 0; x < base.width(); ++x) base.setPixelColor(x, y, QColor(x * 6, y * 8, 90));
  }
  const auto focus = [](QImage image, int times) {
    QPainter painter(&image);
    QtCanvas canvas(painter, TestPalette());
    for (int i = 0; i < times; ++i) canvas.DrawFocusRect({5, 4, 25, 20});
    painter.end();
    return image;
  };
  const QImage once = focus(base, 1);
  EXPECT_EQ(focus(base, 2), base);
  // Once: only the frame changes, every other pixel of it, to the inverse colour.
  int changed = 0;
  for (int y = 0; y < base.height(); ++y) {
    for (int x = 0; x < base.width(); ++x) {
      const bool onFrame =
          (x == 5 || x == 24 || y == 4 || y == 19) && x >= 5 && x < 25 && y >= 4 && y < 20;
      const bool dotted = onFrame && (x - 5 + y - 4) % 2 == 0;
      const QColor b = base.pixelColor(x, y);
      const QColor o = once.pixelColor(x, y);
      if (dotted) {
        EXPECT_EQ(o, QColor(255 - b.red(), 255 - b.green(), 255 - b.blue())) << x << "," << y;
        ++changed;
      } else {
        EXPECT_EQ(o, b) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(changed, (20 + 20 + 14 + 14) / 2);
}

TEST(QtCanvasTest, LinesLeaveOutTheirEndPoint) {
  const QColor red(255, 0, 0);
  const QImage image = Paint(20, 20, [](QtCanvas& c) {
    c.SetPen({RGB(255, 0, 0), 1});
    c.MoveTo(2, 5);
    c.LineTo(12, 5);
    c.LineTo(12, 15);
  });
  for (int x = 2; x < 12; ++x) EXPECT_EQ(image.pixelColor(x, 5), red) << x;
  EXPECT_EQ(image.pixelColor(1, 5), kPaper);
  for (int y = 5; y < 15; ++y) EXPECT_EQ(image.pixelColor(12, y), red) << y;
  EXPECT_EQ(image.pixelColor(12, 15), kPaper);
  EXPECT_EQ(InkBox(image), QRect(2, 5, 11, 10));

  const QImage diagonal = Paint(20, 20, [](QtCanvas& c) {
    c.SetPen({RGB(255, 0, 0), 1});
    c.MoveTo(0, 0);
    c.LineTo(10, 10);
  });
  EXPECT_EQ(diagonal.pixelColor(0, 0), red);
  EXPECT_EQ(diagonal.pixelColor(9, 9), red);
  EXPECT_EQ(diagonal.pixelColor(10, 10), kPaper);
}

TEST(QtCanvasTest, WidePensAreCentredWithFlatEnds) {
  const QImage image = Paint(30, 30, [](QtCanvas& c) {
    c.SetPen({RGB(0, 0, 0), 3});
    const Segment segments[] = {{{4, 10}, {20, 10}}, {{25, 2}, {25, 8}}};
    c.Polyline(segments);
  });
  EXPECT_EQ(InkBox(image.copy(0, 0, 22, 30)), QRect(4, 9, 16, 3));
  EXPECT_EQ(InkBox(image.copy(22, 0, 8, 30)), QRect(2, 2, 3, 6));
}

TEST(QtCanvasTest, DashGapsTakeTheBrushOnlyWhenSolid) {
  const auto dashed = [](TBrushStyle style) {
    return Paint(60, 5, [&](QtCanvas& c) {
      c.SetPen({RGB(0, 0, 0), 1, TPenStyle::psDash});
      c.SetBrush({RGB(0, 0, 255), style});
      c.MoveTo(0, 2);
      c.LineTo(60, 2);
    });
  };
  const QImage solid = dashed(TBrushStyle::bsSolid);
  const QImage clear = dashed(TBrushStyle::bsClear);
  int black = 0;
  int blue = 0;
  int paper = 0;
  for (int x = 0; x < 59; ++x) {
    black += solid.pixelColor(x, 2) == QColor(0, 0, 0) ? 1 : 0;
    blue += solid.pixelColor(x, 2) == QColor(0, 0, 255) ? 1 : 0;
    paper += clear.pixelColor(x, 2) == kPaper ? 1 : 0;
    EXPECT_EQ(solid.pixelColor(x, 2) == QColor(0, 0, 0), clear.pixelColor(x, 2) == QColor(0, 0, 0));
  }
  EXPECT_GT(black, 20);
  EXPECT_GT(blue, 5);
  EXPECT_EQ(black + blue, 59);
  EXPECT_EQ(paper, blue);
}

TEST(QtCanvasTest, RaisedInnerEdgeUsesLightAndDark) {
  const QImage image = Paint(20, 20, [](QtCanvas& c) {
    c.DrawEdge({2, 2, 12, 10}, BDR_RAISEDINNER, BF_RECT);
  });
  const QColor light(16, 26, 36);
  const QColor dark(15, 25, 35);
  EXPECT_EQ(image.pixelColor(2, 2), light);
  EXPECT_EQ(image.pixelColor(10, 2), light);
  EXPECT_EQ(image.pixelColor(2, 8), light);
  EXPECT_EQ(image.pixelColor(11, 5), dark);
  EXPECT_EQ(image.pixelColor(5, 9), dark);
  EXPECT_EQ(image.pixelColor(11, 9), dark);
  EXPECT_EQ(image.pixelColor(5, 5), kPaper);
  EXPECT_EQ(InkBox(image), QRect(2, 2, 10, 8));
  const QImage bottomOnly = Paint(20, 20, [](QtCanvas& c) {
    c.DrawEdge({2, 2, 12, 10}, BDR_RAISEDINNER, BF_BOTTOM);
  });
  EXPECT_EQ(InkBox(bottomOnly), QRect(2, 9, 10, 1));
}

TEST(QtCanvasTest, SystemColoursComeFromThePalette) {
  QtCanvas canvas{TestPalette()};
  const struct {
    TColor color;
    TColor rgb;
  } cases[] = {
      {clBtnFace, RGB(10, 20, 30)},       {clWindow, RGB(11, 21, 31)},
      {clWindowText, RGB(12, 22, 32)},    {clHighlight, RGB(13, 23, 33)},
      {clHighlightText, RGB(14, 24, 34)}, {clBtnShadow, RGB(15, 25, 35)},
      {clBtnHighlight, RGB(16, 26, 36)},  {clBtnText, RGB(17, 27, 37)},
      {cl3DDkShadow, RGB(18, 28, 38)},    {cl3DLight, RGB(19, 29, 39)},
      {clGrayText, RGB(20, 30, 40)},      {clPurple, clPurple},
      {0x00123456, 0x00123456},
  };
  for (const auto& c : cases) EXPECT_EQ(canvas.ColorToRGB(c.color), c.rgb) << std::hex << c.color;
}

TEST(QtCanvasTest, TextRectFillsAndClips) {
  const QImage image = Paint(60, 30, [](QtCanvas& c) {
    c.SetFont(TestFont());
    c.SetBrush({clHighlight, TBrushStyle::bsSolid});
    c.SetTextColor(clHighlightText);
    c.TextRect({10, 5, 30, 20}, 12, 6, "Dimanche");
  });
  EXPECT_EQ(InkBox(image), QRect(10, 5, 20, 15));
  EXPECT_EQ(image.pixelColor(10, 5), QColor(13, 23, 33));
  bool textInk = false;
  for (int y = 5; y < 20; ++y) {
    for (int x = 10; x < 30; ++x) textInk |= image.pixelColor(x, y) != QColor(13, 23, 33);
  }
  EXPECT_TRUE(textInk);
}

TEST(QtCanvasTest, CrispAtTwiceThePixelRatio) {
  const QImage image = Paint(
      20, 20,
      [](QtCanvas& c) {
        c.SetPen({RGB(0, 0, 0), 1});
        c.MoveTo(2, 5);
        c.LineTo(12, 5);
        c.SetBrush({RGB(0, 0, 255), TBrushStyle::bsSolid});
        c.FillRect({15, 15, 16, 16});
      },
      2.0);
  // Exactly two device rows of full black and a 2 x 2 block of blue: no blurred edges.
  for (int x = 4; x < 24; ++x) {
    EXPECT_EQ(image.pixelColor(x, 10), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(x, 11), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(x, 9), kPaper);
    EXPECT_EQ(image.pixelColor(x, 12), kPaper);
  }
  EXPECT_EQ(image.pixelColor(30, 30), QColor(0, 0, 255));
  EXPECT_EQ(image.pixelColor(31, 31), QColor(0, 0, 255));
  EXPECT_EQ(image.pixelColor(32, 32), kPaper);
  EXPECT_EQ(image.pixelColor(29, 29), kPaper);
}

// One rule for every Qt host: only the left button clicks; side and extra buttons do not.
TEST(QtMouseButton, ButtonsOtherThanLeftAndRightAreTheMiddleOne) {
  EXPECT_EQ(MouseButtonOf(Qt::LeftButton), TMouseButton::mbLeft);
  EXPECT_EQ(MouseButtonOf(Qt::RightButton), TMouseButton::mbRight);
  for (const Qt::MouseButton other :
       {Qt::MiddleButton, Qt::BackButton, Qt::ForwardButton, Qt::ExtraButton4, Qt::NoButton}) {
    EXPECT_EQ(MouseButtonOf(other), TMouseButton::mbMiddle) << other;
  }
}

}  // namespace
}  // namespace dorvane
