#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "MoonLineBeforeMends.h"
#include "dates/DateValue.h"
#include "dates/Moon.h"

namespace {

using dorvane::kMaxDate;
using dorvane::kMinDate;
constexpr long kValidDays = 3652059;

// One date at a time, stepping 37 days so that every phase of the window logic is met.
void BM_MoonPhaseLinePerDate(benchmark::State& state) {
  double x = 36526;  // 1 January 2000
  for (auto _ : state) {
    benchmark::DoNotOptimize(dorvane::MoonPhaseLine(x));
    x += 37;
    if (x > kMaxDate) x -= kValidDays - 1;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MoonPhaseLinePerDate);

void BM_MoonPhaseLineSweep(benchmark::State& state) {
  for (auto _ : state) {
    std::size_t sum = 0;
    for (double x = kMinDate; x <= kMaxDate; ++x) sum += dorvane::MoonPhaseLine(x).size();
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kValidDays);
}
BENCHMARK(BM_MoonPhaseLineSweep)->Unit(benchmark::kMillisecond);

void BM_MoonPhaseOfSweep(benchmark::State& state) {
  for (auto _ : state) {
    int sum = 0;
    for (double x = kMinDate; x <= kMaxDate; ++x) sum += dorvane::MoonPhaseOf(x).age;
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kValidDays);
}
BENCHMARK(BM_MoonPhaseOfSweep)->Unit(benchmark::kMillisecond);

// Reference: the original step-by-step procedure (calendar conversion of every phase date and a
// checking date encoder), over the same days.
void BM_OriginalProcedureSweep(benchmark::State& state) {
  for (auto _ : state) {
    std::size_t sum = 0;
    for (double x = kMinDate; x <= kMaxDate; ++x) {
      const std::optional<std::string> line = dorvane::testing::OriginalLine(x);
      sum += line ? line->size() : 0;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kValidDays);
}
BENCHMARK(BM_OriginalProcedureSweep)->Unit(benchmark::kMillisecond);

}  // namespace
