#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <vector>

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

// How many pixels of `image` within `r` are of `colour`.
int Count(const QImage& image, const QRect& r, const QColor& colour) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) n += image.pixelColor(x, y) == colour ? 1 : 0;
  }
  return n;
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

// The label's bounds and the widget's geometry are one: measured with Qt's own metrics.
TEST_F(WidgetsTest, AutoSizeFollowsTheFontsMetricsAndGeometryIsShared) {
  RxLabelWidget label(&window);
  label.Label().SetFont(Sans(13));
  label.Label().SetCaption("Mardi 8 décembre");
  const QFontMetrics fm(ToQFont(Sans(13)));
  EXPECT_EQ(label.width(), fm.horizontalAdvance(QString::fromUtf8("Mardi 8 décembre")) + 2);
  EXPECT_EQ(label.height(), fm.height());

  label.Label().SetAutoSize(false);
  label.setGeometry(8, 8, 297, 20);
  EXPECT_EQ(label.Label().Width(), 297);
  EXPECT_EQ(label.Label().Left(), 8);
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

TEST_F(WidgetsTest, OpaqueFillsTransparentShowsTheParentDisabledIsGrey) {
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
  const QImage image = Render(window);
  Keep(image, "labels");

  const QRect o = opaque.geometry();
  EXPECT_EQ(image.pixelColor(o.right(), o.bottom()), QColor(255, 255, 210));
  EXPECT_EQ(image.pixelColor(o.left(), o.top()), QColor(255, 255, 210));
  EXPECT_EQ(image.pixelColor(o.right() + 1, o.bottom()), kFace);
  const QRect t = transparent.geometry();
  EXPECT_EQ(image.pixelColor(t.right(), t.bottom()), kFace);

  // Text in its colour, with a white shadow copy showing up and to the left of it.
  EXPECT_GT(Count(image, o, QColor(0, 0, 0)), 20);
  EXPECT_GT(Count(image, o, QColor(255, 255, 255)), 5);
  EXPECT_GT(Count(image, t, QColor(128, 0, 128)), 20);
  // Disabled: no black text at all, grey instead.
  const QRect d = disabled.geometry();
  EXPECT_EQ(Count(image, d, QColor(0, 0, 0)), 0);
  EXPECT_GT(Count(image, d, window.palette().color(QPalette::Disabled, QPalette::Text)), 5);
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

TEST_F(WidgetsTest, RightToLeftPutsLeftJustifiedTextAtTheRightEnd) {
  RxLabelWidget mirrored(&window);
  mirrored.setLayoutDirection(Qt::RightToLeft);
  mirrored.Label().SetAutoSize(false);
  mirrored.setGeometry(20, 60, 200, 20);
  mirrored.Label().SetFont(Sans(13));
  mirrored.Label().SetCaption("Mois");
  const QImage image = Render(window);
  const QRect m = mirrored.geometry();
  const int textWidth = QFontMetrics(ToQFont(Sans(13))).horizontalAdvance("Mois");
  const QRect leftOfText(m.left(), m.top(), m.width() - textWidth - 2, m.height());
  EXPECT_EQ(Count(image, leftOfText, QColor(0, 0, 0)), 0);
  EXPECT_GT(Count(image, m, QColor(0, 0, 0)), 3);  // the text is there
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

}  // namespace
}  // namespace dorvane
