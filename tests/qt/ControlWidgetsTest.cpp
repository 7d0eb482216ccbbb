#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <memory>
#include <vector>

#include "qt/LineWidget.h"
#include "qt/QtCanvas.h"
#include "qt/RxLabelWidget.h"

namespace dorvane {
namespace {

const QColor kFace(212, 208, 200);

// Set DORVANE_RENDER_DIR to keep the pictures the tests draw.
void Keep(const QImage& image, const char* name) {
  const QByteArray dir = qgetenv("DORVANE_RENDER_DIR");
  if (!dir.isEmpty()) image.save(QString::fromUtf8(dir) + "/" + name + ".png");
}

QImage Render(QWidget& widget, qreal dpr = 1.0) {
  QImage image(widget.size() * dpr, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(dpr);
  image.fill(Qt::transparent);
  widget.render(&image);
  return image;
}

class WidgetsTest : public ::testing::Test {
 protected:
  QWidget window;
  void SetUp() override {
    window.resize(320, 120);
    QPalette p = window.palette();
    p.setColor(QPalette::Window, kFace);
    p.setColor(QPalette::Light, Qt::white);
    window.setPalette(p);
    window.setAutoFillBackground(true);
  }
  void ShowActive() {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
};

Font Sans(int pixels, TColor color = clBlack, bool bold = false) {
  return Font{"DejaVu Sans", -pixels, color, bold};
}

TEST_F(WidgetsTest, AutoSizeFollowsTheFontsMetrics) {
  RxLabelWidget label(&window);
  EXPECT_EQ(label.size(), QSize(65, 17));
  label.move(200, 30);
  label.Label().SetAlignment(taRightJustify);
  label.Label().SetFont(Sans(13));
  label.Label().SetCaption("Mardi 8 décembre");
  const QFontMetrics fm(ToQFont(Sans(13)));
  const int w = fm.horizontalAdvance(QString::fromUtf8("Mardi 8 décembre"));
  EXPECT_EQ(label.width(), w + 2);
  EXPECT_EQ(label.height(), fm.height());
  EXPECT_EQ(label.x() + label.width(), 265);  // grew to the left

  // Fixed size: the widget keeps the geometry it is given, and the label reads it.
  label.Label().SetAutoSize(false);
  label.setGeometry(8, 8, 297, 20);
  EXPECT_EQ(label.Label().Width(), 297);
  EXPECT_EQ(label.Label().Left(), 8);
  label.Label().SetCaption("Jeudi");
  EXPECT_EQ(label.geometry(), QRect(8, 8, 297, 20));
  label.Label().SetBounds(10, 12, 100, 30);
  EXPECT_EQ(label.geometry(), QRect(10, 12, 100, 30));
}

TEST_F(WidgetsTest, ParentFontChangesRefit) {
  RxLabelWidget label(&window);
  label.Label().SetCaption("Vendredi");
  QFont big = window.font();
  big.setPixelSize(30);
  window.setFont(big);
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(label.height(), QFontMetrics(ToQFont(label.Label().Font())).height());
  EXPECT_EQ(label.Label().Font().Height, -30);
}

TEST_F(WidgetsTest, OpaqueFillsWithColourTransparentShowsTheParent) {
  RxLabelWidget opaque(&window);
  opaque.Label().SetFont(Sans(14));
  opaque.Label().SetCaption("Décembre 2026");
  opaque.Label().SetColor(RGB(255, 255, 210));
  opaque.move(10, 10);
  RxLabelWidget transparent(&window);
  transparent.Label().SetFont(Sans(14, clPurple, true));
  transparent.Label().SetTransparent(true);
  transparent.Label().SetCaption("Décembre 2026");
  transparent.move(10, 40);
  RxLabelWidget disabled(&window);
  disabled.Label().SetFont(Sans(14));
  disabled.Label().SetCaption("Désactivé");
  disabled.move(10, 70);
  disabled.setEnabled(false);
  RxLabelWidget banner(&window);
  banner.Label().SetAutoSize(false);
  banner.setGeometry(150, 10, 160, 20);
  banner.Label().SetAlignment(taCenter);
  banner.Label().SetFont(Sans(16, clPurple, true));
  banner.Label().SetShadowPos(spRightBottom);
  banner.Label().SetShadowSize(2);
  banner.Label().SetShadowColor(clGray);
  banner.Label().SetCaption("Lundi");

  const QImage image = Render(window);
  Keep(image, "labels");
  Keep(Render(window, 2.0), "labels@2x");

  const QRect o = opaque.geometry();
  EXPECT_EQ(image.pixelColor(o.right(), o.bottom()), QColor(255, 255, 210));
  EXPECT_EQ(image.pixelColor(o.left(), o.top()), QColor(255, 255, 210));
  EXPECT_EQ(image.pixelColor(o.right() + 1, o.bottom()), kFace);
  const QRect t = transparent.geometry();
  EXPECT_EQ(image.pixelColor(t.right(), t.bottom()), kFace);

  const auto count = [&](const QRect& r, const std::function<bool(QColor)>& test) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
      for (int x = r.left(); x <= r.right(); ++x) n += test(image.pixelColor(x, y)) ? 1 : 0;
    }
    return n;
  };
  // Text in its colour, with a white shadow copy showing up and to the left of it.
  EXPECT_GT(count(o, [](QColor c) { return c == QColor(0, 0, 0); }), 20);
  EXPECT_GT(count(o, [](QColor c) { return c == QColor(255, 255, 255); }), 5);
  EXPECT_GT(count(t, [](QColor c) { return c == QColor(128, 0, 128); }), 20);
  // Disabled: no black text at all, grey instead.
  const QRect d = disabled.geometry();
  EXPECT_EQ(count(d, [](QColor c) { return c == QColor(0, 0, 0); }), 0);
  const QColor grey = window.palette().color(QPalette::Disabled, QPalette::Text);
  EXPECT_GT(count(d, [&](QColor c) { return c == grey; }), 5);
  // The banner's grey shadow lies to the lower right of its purple text.
  const QRect b = banner.geometry();
  int purpleRight = 0;
  int greyRight = 0;
  for (int y = b.top(); y <= b.bottom(); ++y) {
    for (int x = b.left(); x <= b.right(); ++x) {
      if (image.pixelColor(x, y) == QColor(128, 0, 128)) purpleRight = std::max(purpleRight, x);
      if (image.pixelColor(x, y) == QColor(128, 128, 128)) greyRight = std::max(greyRight, x);
    }
  }
  EXPECT_EQ(greyRight, purpleRight + 2);
}

TEST_F(WidgetsTest, AltAcceleratorFocusesTheTarget) {
  auto* edit = new QLineEdit(&window);
  edit->setGeometry(100, 10, 100, 22);
  auto* other = new QLineEdit(&window);
  other->setGeometry(100, 40, 100, 22);
  RxLabelWidget label(&window);
  label.Label().SetCaption("&Jour");
  label.SetFocusWidget(edit);
  ShowActive();
  other->setFocus();
  EXPECT_FALSE(label.Label().FocusTargetActive());
  QTest::keyClick(&window, Qt::Key_J, Qt::AltModifier);
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_TRUE(label.Label().FocusTargetActive());
  other->setFocus();
  EXPECT_FALSE(label.Label().FocusTargetActive());

  // A destroyed target is forgotten.
  delete edit;
  EXPECT_EQ(label.FocusWidget(), nullptr);
  EXPECT_EQ(label.Label().FocusControl(), nullptr);
  QTest::keyClick(&window, Qt::Key_J, Qt::AltModifier);
  EXPECT_TRUE(other->hasFocus());
}

TEST_F(WidgetsTest, FocusFrameAndRightToLeft) {
  auto* edit = new QLineEdit(&window);
  edit->setGeometry(150, 10, 100, 22);
  RxLabelWidget label(&window);
  label.Label().SetFont(Sans(13));
  label.Label().SetCaption("&Jour :");
  label.Label().SetShowFocus(true);
  label.move(20, 14);
  label.SetFocusWidget(edit);
  RxLabelWidget mirrored(&window);
  mirrored.setLayoutDirection(Qt::RightToLeft);
  mirrored.Label().SetAutoSize(false);
  mirrored.setGeometry(20, 60, 200, 20);
  mirrored.Label().SetFont(Sans(13));
  mirrored.Label().SetCaption("Mois");
  ShowActive();
  edit->clearFocus();
  ASSERT_FALSE(label.Label().FocusTargetActive());
  const QImage unfocused = Render(window);
  edit->setFocus();
  ASSERT_TRUE(label.Label().FocusTargetActive());
  const QImage focused = Render(window);
  Keep(focused, "label-focus");

  // The dotted frame goes round the text and its shadow, widened by a pixel each side: with
  // the shadow up and to the left its top and left sides fall outside the label, its bottom
  // runs along the label's last row, every other pixel inverted.
  const QRect g = label.geometry();
  int changed = 0;
  for (int x = g.left(); x <= g.right(); ++x) {
    changed += unfocused.pixelColor(x, g.bottom()) != focused.pixelColor(x, g.bottom()) ? 1 : 0;
  }
  EXPECT_GE(changed, g.width() / 2 - 2);
  EXPECT_LE(changed, g.width() / 2 + 1);
  // Right to left, left-justified text sits at the right end.
  int inkLeft = 1000;
  const QRect m = mirrored.geometry();
  for (int y = m.top(); y <= m.bottom(); ++y) {
    for (int x = m.left(); x <= m.right(); ++x) {
      if (focused.pixelColor(x, y) == QColor(0, 0, 0)) inkLeft = std::min(inkLeft, x);
    }
  }
  const int textWidth = QFontMetrics(ToQFont(Sans(13))).horizontalAdvance("Mois");
  EXPECT_GE(inkLeft, m.right() - textWidth - 2);
}

TEST_F(WidgetsTest, PointerEnterAndLeave) {
  RxLabelWidget label(&window);
  label.Label().SetCaption("Samedi");
  label.move(20, 20);
  std::vector<std::string> events;
  label.Label().SetOnMouseEnter([&](TRxCustomLabel&) { events.push_back("enter"); });
  label.Label().SetOnMouseLeave([&](TRxCustomLabel&) { events.push_back("leave"); });
  ShowActive();

  const QPoint inside = label.mapToGlobal(QPoint(3, 3));
  QCursor::setPos(inside);
  QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(inside));
  QApplication::sendEvent(&label, &enter);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&label, &leave);
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));

  // Held left button: the leave waits for the release.
  QApplication::sendEvent(&label, &enter);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(inside), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&label, &press);
  EXPECT_TRUE(label.Label().LeftButtonHeld());
  QApplication::sendEvent(&label, &leave);
  EXPECT_EQ(events.size(), 3u);
  const QPoint outside = window.mapToGlobal(QPoint(300, 100));
  QCursor::setPos(outside);
  if (QCursor::pos() != outside) GTEST_SKIP() << "this platform cannot move the pointer";
  QMouseEvent release(QEvent::MouseButtonRelease, label.mapFromGlobal(QPointF(outside)),
                      QPointF(outside), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&label, &release);
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave", "enter", "leave"}));
}

TEST_F(WidgetsTest, LinesOfEveryKind) {
  window.resize(330, 100);
  const TLineType types[] = {ltCustom, ltTop,      ltBottom,     ltLeft,
                             ltRight,  ltVertical, ltUpDiagonal, ltDownDiagonal};
  std::vector<std::unique_ptr<LineWidget>> lines;
  int x = 5;
  for (TLineType type : types) {
    auto line = std::make_unique<LineWidget>(&window);
    line->setGeometry(x, 10, 35, 70);
    line->Line().SetLine(type);
    line->Line().Pen().SetColor(RGB(0, 0, 160));
    line->Line().Pen().SetWidth(type == ltVertical ? 2 : 1);
    x += 40;
    lines.push_back(std::move(line));
  }
  lines[0]->Line().Pen().SetStyle(TPenStyle::psDot);
  lines[0]->Line().Brush().SetColor(RGB(255, 200, 0));
  Render(window);
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  const QImage image = Render(window);
  Keep(image, "lines");
  EXPECT_EQ(lines[5]->width(), 20);  // vertical: ten pen widths
  // Dotted custom line from (5,10) to (40,45): dots in blue, gaps in the brush's orange.
  EXPECT_EQ(image.pixelColor(5, 10), QColor(0, 0, 160));
  int orange = 0;
  for (int i = 0; i < 35; ++i) orange += image.pixelColor(5 + i, 10 + i) == QColor(255, 200, 0);
  EXPECT_GT(orange, 10);
  EXPECT_EQ(image.pixelColor(40, 45), kFace);  // the end point is not drawn
}

}  // namespace
}  // namespace dorvane
