#include <benchmark/benchmark.h>

#include <chrono>
#include <stdexcept>

#include "dates/Captions.h"
#include "dates/DateValue.h"
#include "dates/Formatting.h"
#include "dates/Weeks.h"

namespace {

using namespace std::chrono;

constexpr int kFirstValue = -693593;  // 1 January 0001
constexpr int kLastValue = 2958465;   // 31 December 9999
constexpr int kValidDays = kLastValue - kFirstValue + 1;

// Days since 1970 of 30 December 1899, to give std::chrono the same days as our date values.
const int kEpochShift = sys_days{year{1899} / 12 / 30}.time_since_epoch().count();

// Runs one conversion over every valid day; the sum keeps the work from being optimised away.
template <typename Convert>
void OverEveryValidDay(benchmark::State& state, Convert convert) {
  for (auto _ : state) {
    unsigned sum = 0;
    for (int d = kFirstValue; d <= kLastValue; ++d) sum += convert(d);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kValidDays);
}

// The standard library's civil-date conversion from sys_days: the reference for SplitDate.
void BM_StdChronoFromSysDays(benchmark::State& state) {
  OverEveryValidDay(state, [](int d) {
    const year_month_day ymd{sys_days{days{d + kEpochShift}}};
    return static_cast<unsigned>(static_cast<int>(ymd.year())) +
           static_cast<unsigned>(ymd.month()) + static_cast<unsigned>(ymd.day());
  });
}
BENCHMARK(BM_StdChronoFromSysDays)->Unit(benchmark::kMillisecond);

void BM_SplitDate(benchmark::State& state) {
  OverEveryValidDay(state, [](int d) {
    const dorvane::DateParts p = dorvane::SplitDate(d);
    return static_cast<unsigned>(p.year) + p.month + p.day;
  });
}
BENCHMARK(BM_SplitDate)->Unit(benchmark::kMillisecond);

// The standard library's weekday from sys_days: the reference for WeekdayNumber.
void BM_StdChronoWeekday(benchmark::State& state) {
  OverEveryValidDay(state,
                    [](int d) { return weekday{sys_days{days{d + kEpochShift}}}.c_encoding(); });
}
BENCHMARK(BM_StdChronoWeekday)->Unit(benchmark::kMillisecond);

void BM_WeekdayNumber(benchmark::State& state) {
  OverEveryValidDay(state, [](int d) { return static_cast<unsigned>(dorvane::WeekdayNumber(d)); });
}
BENCHMARK(BM_WeekdayNumber)->Unit(benchmark::kMillisecond);

// The grid asks for the week of each row on every repaint: against BM_StdChronoWeekday.
void BM_IsoWeekOf(benchmark::State& state) {
  OverEveryValidDay(state, [](int d) {
    const dorvane::IsoWeekNumber week = dorvane::IsoWeekOf(d);
    return static_cast<unsigned>(week.Year + week.Week);
  });
}
BENCHMARK(BM_IsoWeekOf)->Unit(benchmark::kMillisecond);

// Walks every valid date month by month, so both sides build the same 3,652,059 days.
template <typename Build>
void EveryValidDate(Build build) {
  for (int y = 1; y <= 9999; ++y) {
    for (unsigned m = 1; m <= 12; ++m) {
      const unsigned last = static_cast<unsigned>((year{y} / month{m} / std::chrono::last).day());
      for (unsigned d = 1; d <= last; ++d) build(y, m, d);
    }
  }
}

// The standard library's conversion to sys_days: the reference for MakeDate.
void BM_StdChronoToSysDays(benchmark::State& state) {
  for (auto _ : state) {
    long sum = 0;
    EveryValidDate([&](int y, unsigned m, unsigned d) {
      sum += sys_days{year{y} / month{m} / day{d}}.time_since_epoch().count();
    });
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kValidDays);
}
BENCHMARK(BM_StdChronoToSysDays)->Unit(benchmark::kMillisecond);

// The same job as MakeDate's in the standard library's terms: each date checked with ok()
// (MakeDate refuses what is not a date) and its day count kept as a date value (a double).
void BM_StdChronoToSysDaysChecked(benchmark::State& state) {
  for (auto _ : state) {
    double sum = 0;
    EveryValidDate([&](int y, unsigned m, unsigned d) {
      const year_month_day date{year{y}, month{m}, day{d}};
      if (!date.ok()) throw std::invalid_argument("not a date");
      sum += static_cast<double>(sys_days{date}.time_since_epoch().count() - kEpochShift);
    });
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kValidDays);
}
BENCHMARK(BM_StdChronoToSysDaysChecked)->Unit(benchmark::kMillisecond);

void BM_MakeDate(benchmark::State& state) {
  for (auto _ : state) {
    double sum = 0;
    EveryValidDate([&](int y, unsigned m, unsigned d) {
      sum += dorvane::MakeDate(static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m),
                               static_cast<std::uint16_t>(d));
    });
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kValidDays);
}
BENCHMARK(BM_MakeDate)->Unit(benchmark::kMillisecond);

// Monday 7 March 2005 at 14:05:09.
const dorvane::TDateTime kMoment = 38418.0 + (14 * 3600 + 5 * 60 + 9) / 86400.0;

void BM_FormatLongDate(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(dorvane::FormatDateValue("dddddd", kMoment));
}
BENCHMARK(BM_FormatLongDate);

void BM_ClockText(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(dorvane::ClockText(kMoment));
}
BENCHMARK(BM_ClockText);

void BM_MonthBannerText(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(dorvane::MonthBannerText(kMoment));
}
BENCHMARK(BM_MonthBannerText);

void BM_WeekdayLineText(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(dorvane::WeekdayLineText(kMoment));
}
BENCHMARK(BM_WeekdayLineText);

void BM_DayOfYearText(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(dorvane::DayOfYearText(38418.0));
}
BENCHMARK(BM_DayOfYearText);

}  // namespace
