// The control widgets' own part: their events reaching the grid and the label, and their
// geometry kept with the controls'. What the controls do with them is tested on the controls.
#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/Services.h"
#include "qt/CalendarWidget.h"
#include "qt/QtCanvas.h"
#include "qt/RxLabelWidget.h"

namespace dorvane {
namespace {

// The main window's calendar: 297 x 129 with a 2-pixel edge, the week starting on Monday, on
// 15 May 2008 (cell (3, 3); cell (c, r) starts at (2 + 42 c, 2 + 18 r) in the widget).
class CalendarWidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.resize(400, 200);
    grid_ = new CalendarWidget(&window_);
    grid_->setGeometry(10, 10, 297, 129);
    grid_->setFocusPolicy(Qt::ClickFocus);
    button_ = new QPushButton("Suivant", &window_);
    button_->setGeometry(320, 10, 70, 25);
    grid_->Calendar().SetStartOfWeek(1);
    grid_->Calendar().OnChange = [this](TCalendar& c) { days_.push_back(c.Day()); };
    window_.show();
    window_.activateWindow();
    QApplication::processEvents();
  }

  static QPointF Centre(int col, int row) { return {2 + col * 42 + 20.0, 2 + row * 18 + 8.0}; }

  void Mouse(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, at, grid_->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(grid_, &e);
  }
  void Press(QPointF at) { Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton); }
  void Move(QPointF at) { Mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }
  void Release(QPointF at) { Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(grid_, &e);
  }
  // Lets the event loop run until the condition holds, for at most two seconds.
  static bool WaitFor(const std::function<bool()>& condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < 2000)
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
  }
  int CurrentDay() {
    const TCalendar& c = grid_->Calendar();
    const std::string text = c.TextOfCell(c.Col(), c.Row());
    return text.empty() ? 0 : std::stoi(text);
  }

  platform::FixedClock clock_{platform::LocalTime{2008, 5, 15, 9, 0, 0, 0}};
  platform::ServicesScope services_{{.clock = &clock_}};
  QWidget window_;
  CalendarWidget* grid_ = nullptr;
  QPushButton* button_ = nullptr;
  std::vector<int> days_;
};

TEST_F(CalendarWidgetTest, HoldingAboveTheGridWalksUpWithTheTimer) {
  Press(Centre(3, 3));
  Move(QPointF(Centre(3, 3).x(), -20));
  EXPECT_TRUE(WaitFor([&] { return CurrentDay() == 1; }));
  EXPECT_TRUE(days_.empty());
  Release(QPointF(Centre(3, 3).x(), -20));
  EXPECT_EQ(days_, std::vector<int>{1});
}

// Tab is not the grid's: it goes to focus navigation.
TEST_F(CalendarWidgetTest, TabLeavesForTheNextControl) {
  Press(Centre(3, 3));
  Release(Centre(3, 3));
  Key(Qt::Key_Tab);
  EXPECT_EQ(window_.focusWidget(), button_);
}

// Without Ctl3D the edge is a 1-pixel frame, and the client area grows to match it.
TEST_F(CalendarWidgetTest, FlatBorderIsOnePixelWide) {
  grid_->Calendar().SetCtl3D(false);
  EXPECT_EQ(grid_->Calendar().ClientWidth(), 295);
  EXPECT_EQ(grid_->Calendar().ClientHeight(), 127);
  grid_->Calendar().SetBorderStyle(TBorderStyle::bsNone);
  EXPECT_EQ(grid_->Calendar().ClientWidth(), 297);
  grid_->Calendar().SetBorderStyle(TBorderStyle::bsSingle);
  QImage image(grid_->size(), QImage::Format_ARGB32);
  grid_->render(&image);
  const QColor frame = grid_->palette().color(QPalette::Active, QPalette::Shadow);
  const QColor button = grid_->palette().color(QPalette::Active, QPalette::Button);
  EXPECT_EQ(image.pixel(0, 60), frame.rgb());
  EXPECT_EQ(image.pixel(296, 60), frame.rgb());
  EXPECT_EQ(image.pixel(3, 5), button.rgb());  // header cell, no bevel without Ctl3D
}

// The label widget's own part: its geometry kept with the label's, and its accelerator's key.
// What the label does with them is tested on the label.
class WidgetsTest : public ::testing::Test {
 protected:
  QWidget window;
  void SetUp() override { window.resize(320, 120); }
  void ShowActive() {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
};

Font Sans(int pixels) {
  return Font{"DejaVu Sans", -pixels, clBlack, false};
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

}  // namespace
}  // namespace dorvane
