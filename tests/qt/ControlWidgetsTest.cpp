// The label widget's own part: its geometry kept with the label's, and its accelerator's key.
// What the label does with them is tested on the label.
#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "qt/QtCanvas.h"
#include "qt/RxLabelWidget.h"

namespace dorvane {
namespace {

Font Sans(int pixels) {
  return Font{"DejaVu Sans", -pixels, clBlack, false};
}

TEST(WidgetsTest, AutoSizeFollowsTheFontsMetrics) {
  QWidget window;
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

TEST(WidgetsTest, AltAcceleratorFocusesTheTarget) {
  QWidget window;
  auto* edit = new QLineEdit(&window);
  edit->setGeometry(100, 10, 100, 22);
  auto* other = new QLineEdit(&window);
  other->setGeometry(100, 40, 100, 22);
  RxLabelWidget label(&window);
  label.Label().SetCaption("&Jour");
  label.SetFocusWidget(edit);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
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

}  // namespace
}  // namespace dorvane
