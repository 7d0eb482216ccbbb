// The options that print against cal, which prints a month as --month does: the CPU time (user
// and system) of whole processes, each program run in turn so that the machine's load weighs
// on both alike.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "ChildProcess.h"

namespace {

using dorvane::bench::Median;
using dorvane::bench::ProcessRun;
using dorvane::bench::RunToEnd;

void CompareWithCal(benchmark::State& state, const std::vector<std::string>& args) {
  std::vector<double> dorvane, cal;
  for (auto _ : state) {
    const ProcessRun c = RunToEnd({CAL_EXE, "3", "2005"}, true);
    std::vector<std::string> command = {DORVANE_EXE};
    command.insert(command.end(), args.begin(), args.end());
    const ProcessRun d = RunToEnd(command, true);
    cal.push_back(c.cpuSeconds * 1e3);
    dorvane.push_back(d.cpuSeconds * 1e3);
    state.SetIterationTime(d.cpuSeconds);
  }
  const double d = Median(dorvane);
  const double c = Median(cal);
  state.counters["dorvane_cpu_ms"] = d;
  state.counters["cal_cpu_ms"] = c;
  state.counters["cpu_ratio"] = c > 0 ? d / c : 0;
}

void BM_Month_DorvaneVsCal(benchmark::State& state) {
  CompareWithCal(state, {"--month", "2005-03-07"});
}
BENCHMARK(BM_Month_DorvaneVsCal)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(201);

void BM_Print_DorvaneVsCal(benchmark::State& state) {
  CompareWithCal(state, {"--print", "2005-03-07"});
}
BENCHMARK(BM_Print_DorvaneVsCal)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(201);

}  // namespace
