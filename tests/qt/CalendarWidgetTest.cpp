#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QWheelEvent>
#include <algorithm>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "dates/DateValue.h"
#include "platform/Clock.h"
#include "platform/Services.h"
#include "qt/CalendarWidget.h"

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
  bool Wheel(int delta) {
    QWheelEvent e(Centre(3, 3), grid_->mapToGlobal(Centre(3, 3)), QPoint(), QPoint(0, delta),
                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid_, &e);
    return e.isAccepted();
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

// Cell (c, r) sits where the widget's size puts it: a press there reaches the grid, a drag
// is followed and the notice comes at the release.
TEST_F(CalendarWidgetTest, PressTakesFocusAndTheDayIsChosenAtTheRelease) {
  Press(Centre(5, 2));  // the 10th
  EXPECT_EQ(window_.focusWidget(), grid_);
  Move(Centre(6, 2));
  EXPECT_EQ(CurrentDay(), 11);
  EXPECT_TRUE(days_.empty());
  Move(Centre(0, 3));
  Release(Centre(0, 3));
  EXPECT_EQ(days_, std::vector<int>{12});
}

TEST_F(CalendarWidgetTest, HoldingAboveTheGridWalksUpWithTheTimer) {
  Press(Centre(3, 3));
  Move(QPointF(Centre(3, 3).x(), -20));
  EXPECT_TRUE(WaitFor([&] { return CurrentDay() == 1; }));
  EXPECT_TRUE(days_.empty());
  Release(QPointF(Centre(3, 3).x(), -20));
  EXPECT_EQ(days_, std::vector<int>{1});
}

TEST_F(CalendarWidgetTest, LosingTheFocusDuringAPressAbandonsIt) {
  Press(Centre(5, 2));
  Move(Centre(6, 2));
  button_->setFocus(Qt::OtherFocusReason);
  EXPECT_EQ(CurrentDay(), 15);
  Release(Centre(6, 2));
  EXPECT_TRUE(days_.empty());
}

TEST_F(CalendarWidgetTest, KeysReachTheGridArrowsAreClaimedEvenWhenRefusedTabLeaves) {
  Press(Centre(3, 3));
  Release(Centre(3, 3));
  Key(Qt::Key_Right);
  Key(Qt::Key_End);
  EXPECT_EQ(days_, (std::vector<int>{16, 18}));
  grid_->Calendar().SetDay(1);
  days_.clear();
  QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
  QApplication::sendEvent(grid_, &up);
  EXPECT_TRUE(up.isAccepted());
  EXPECT_TRUE(days_.empty());
  Key(Qt::Key_Tab);
  EXPECT_EQ(window_.focusWidget(), button_);
}

TEST_F(CalendarWidgetTest, WheelMovesOnlyOnceFocused) {
  EXPECT_FALSE(Wheel(-120));
  EXPECT_TRUE(days_.empty());
  Press(Centre(3, 3));
  Release(Centre(3, 3));
  EXPECT_TRUE(Wheel(-120));
  EXPECT_TRUE(Wheel(60));
  EXPECT_TRUE(Wheel(60));
  EXPECT_EQ(days_, (std::vector<int>{22, 15}));
}

TEST_F(CalendarWidgetTest, PaintCoversTheWidgetAndHighlightsTheSelectedDay) {
  Press(Centre(0, 3));
  Release(Centre(0, 3));  // the 12th, focused
  QImage image(grid_->size(), QImage::Format_ARGB32);
  image.fill(Qt::magenta);
  grid_->render(&image);
  const QPalette& palette = grid_->palette();
  // Inside the selected cell, clear of its text and focus frame; the 15th no longer.
  EXPECT_EQ(image.pixelColor(2 + 3, 2 + 54 + 8), palette.color(QPalette::Highlight));
  EXPECT_EQ(image.pixelColor(2 + 42 * 3 + 3, 2 + 54 + 8), palette.color(QPalette::Base));
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      ASSERT_NE(image.pixelColor(x, y), QColor(Qt::magenta)) << x << "," << y;
    }
  }
}

// At twice the scale every line still covers whole device pixels: no blended edges.
TEST_F(CalendarWidgetTest, StaysCrispAtTwiceTheScale) {
  QImage image(grid_->size() * 2, QImage::Format_ARGB32);
  image.setDevicePixelRatio(2);
  image.fill(Qt::magenta);
  grid_->render(&image);
  const QColor base = grid_->palette().color(QPalette::Active, QPalette::Base);
  const int y = 2 * (2 + 18 * 4 + 5);  // inside a day row that is not selected
  const int x = 2 * (2 + 41);          // the line after column 0
  EXPECT_EQ(image.pixelColor(x - 1, y), base);
  EXPECT_EQ(image.pixelColor(x, y), QColor(192, 192, 192));
  EXPECT_EQ(image.pixelColor(x + 1, y), QColor(192, 192, 192));
  EXPECT_EQ(image.pixelColor(x + 2, y), base);
}

// Without Ctl3D the widget draws a 1-pixel frame instead of the sunken edge.
TEST_F(CalendarWidgetTest, FlatBorderIsOnePixelWide) {
  grid_->Calendar().SetCtl3D(false);
  QImage image(grid_->size(), QImage::Format_ARGB32);
  grid_->render(&image);
  const QColor frame = grid_->palette().color(QPalette::Active, QPalette::Shadow);
  EXPECT_EQ(image.pixel(0, 60), frame.rgb());
  EXPECT_EQ(image.pixel(296, 60), frame.rgb());
  EXPECT_NE(image.pixel(1, 60), frame.rgb());
}

}  // namespace
}  // namespace dorvane
