#include <benchmark/benchmark.h>

#include <chrono>

#include "dates/DateValue.h"

namespace {

using namespace std::chrono;

// The standard library's civil-date conversion from sys_days, as the reference.
void BM_StdChronoFromSysDays(benchmark::State& state) {
  const int first = sys_days{year{1} / 1 / 1}.time_since_epoch().count();
  const int last = sys_days{year{9999} / 12 / 31}.time_since_epoch().count();
  for (auto _ : state) {
    unsigned sum = 0;
    for (int d = first; d <= last; ++d) {
      const year_month_day ymd{sys_days{days{d}}};
      sum += static_cast<unsigned>(ymd.day()) + static_cast<unsigned>(ymd.month());
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * (last - first + 1));
}
BENCHMARK(BM_StdChronoFromSysDays)->Unit(benchmark::kMillisecond);

void BM_SplitDate(benchmark::State& state) {
  for (auto _ : state) {
    unsigned sum = 0;
    for (int d = -693593; d <= 2958465; ++d) {
      const dorvane::DateParts p = dorvane::SplitDate(d);
      sum += p.day + p.month;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 3652059);
}
BENCHMARK(BM_SplitDate)->Unit(benchmark::kMillisecond);

}  // namespace
