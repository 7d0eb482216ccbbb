// Whole programs run as child processes, for the benchmarks that compare a program with a
// reference doing the same work.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace dorvane::bench {

struct ProcessRun {
  double seconds = 0;     // from the start to the end, as the parent waits
  double cpuSeconds = 0;  // user and system time of the child
  long peakKiB = 0;       // the child's peak resident set
};

// Starts `args` (the program's path first) offscreen, whatever the bench's own environment
// says, with its standard error (and its standard output when `quiet`) going nowhere; -1 when
// it cannot start.
pid_t Spawn(std::vector<std::string> args, bool quiet = false);

// Runs `args` as Spawn starts it, to its end.
ProcessRun RunToEnd(std::vector<std::string> args, bool quiet = false);

double Median(std::vector<double> v);

}  // namespace dorvane::bench
