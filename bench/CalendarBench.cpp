#include <benchmark/benchmark.h>
#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPalette>

#include "calendar/Calendar.h"
#include "dates/DateValue.h"
#include "gfx/TextFlags.h"
#include "qt/CalendarWidget.h"
#include "qt/QtCanvas.h"

namespace {

using namespace dorvane;

// The main window's grid: 297 x 129 with a 2-pixel edge around a 293 x 125 client.
constexpr int kWidth = 297;
constexpr int kHeight = 129;
constexpr int kEdge = 2;

TCalendar& MainWindowCalendar() {
  static TCalendar calendar;
  calendar.SetStartOfWeek(1);
  calendar.SizeNotice(kWidth - 2 * kEdge, kHeight - 2 * kEdge);
  return calendar;
}

void BM_CalendarRefreshLayout(benchmark::State& state) {
  TCalendar& calendar = MainWindowCalendar();
  for (auto _ : state) {
    calendar.RefreshLayout();
    benchmark::DoNotOptimize(calendar.DayOffset());
  }
}
BENCHMARK(BM_CalendarRefreshLayout);

// One layout and a full repaint, edge included, through QtCanvas into an image.
void BM_CalendarRefreshAndPaint(benchmark::State& state) {
  TCalendar& calendar = MainWindowCalendar();
  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  const QPalette palette = QApplication::palette();
  for (auto _ : state) {
    calendar.RefreshLayout();
    QPainter painter(&image);
    QtCanvas canvas(painter, palette);
    canvas.DrawEdge(Rect{0, 0, kWidth, kHeight}, BDR_SUNKENOUTER | BDR_SUNKENINNER, BF_RECT);
    painter.setClipRect(kEdge, kEdge, kWidth - 2 * kEdge, kHeight - 2 * kEdge);
    painter.translate(kEdge, kEdge);
    calendar.Paint(canvas);
  }
  benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_CalendarRefreshAndPaint);

// The month step (the tool button's command: a new date, a new layout, a full repaint) without
// the week column and the holidays (argument 0), with both (1), with the week column alone (2).
void BM_CalendarMonthStep(benchmark::State& state) {
  TCalendar calendar;
  calendar.SetStartOfWeek(1);
  calendar.SetShowWeekNumbers(state.range(0) >= 1);
  calendar.SetShowHolidays(state.range(0) == 1);
  calendar.SizeNotice(kWidth - 2 * kEdge, kHeight - 2 * kEdge);
  const TDateTime start = MakeDate(2000, 1, 15);
  calendar.SetSelectedDate(start);
  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  const QPalette palette = QApplication::palette();
  int steps = 0;
  for (auto _ : state) {
    if (++steps == 1200) {  // a century of months, then the same again
      steps = 0;
      calendar.SetSelectedDate(start);
    }
    calendar.MonthForward();
    QPainter painter(&image);
    QtCanvas canvas(painter, palette);
    painter.translate(kEdge, kEdge);
    calendar.Paint(canvas);
  }
  benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_CalendarMonthStep)->Arg(0)->Arg(1)->Arg(2);

// The same through the Qt widget, as a paint event would do it.
void BM_CalendarWidgetRender(benchmark::State& state) {
  CalendarWidget widget;
  widget.resize(kWidth, kHeight);
  widget.Calendar().SetStartOfWeek(1);
  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    widget.Calendar().RefreshLayout();
    widget.render(&image);
  }
  benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_CalendarWidgetRender);

// Reference: the floor of the same picture drawn straight with QPainter (49 filled cells with
// centred texts and the grid lines), without the grid's rules or the canvas in between.
void BM_ReferencePlainQPainter(benchmark::State& state) {
  TCalendar& calendar = MainWindowCalendar();
  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  const QFont font = ToQFont(calendar.Font());
  QString texts[7][7];
  for (int r = 0; r < 7; ++r) {
    for (int c = 0; c < 7; ++c) texts[r][c] = QString::fromStdString(calendar.TextOfCell(c, r));
  }
  for (auto _ : state) {
    QPainter painter(&image);
    painter.setFont(font);
    painter.fillRect(0, 0, kWidth, kHeight, Qt::gray);
    painter.translate(kEdge, kEdge);
    painter.setPen(QColor(192, 192, 192));
    for (int i = 1; i < 7; ++i) {
      painter.drawLine(i * 42 - 1, 0, i * 42 - 1, 125);
      painter.drawLine(0, i * 18 - 1, 293, i * 18 - 1);
    }
    painter.setPen(Qt::black);
    for (int r = 0; r < 7; ++r) {
      for (int c = 0; c < 7; ++c) {
        const QRect cell(c * 42, r * 18, 41, 17);
        painter.fillRect(cell, r == 0 ? QColor(240, 240, 240) : QColor(Qt::white));
        painter.drawText(cell, Qt::AlignCenter, texts[r][c]);
      }
    }
  }
  benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_ReferencePlainQPainter);

}  // namespace
