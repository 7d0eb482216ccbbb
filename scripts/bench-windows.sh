#!/usr/bin/env bash
# Builds the Windows benchmarks and runs them under Wine, on a virtual display: the date and
# moon computations beside the standard library's and the original procedure (medians of five
# repetitions), then dorvane.exe's start-up and peak working set against a minimal Win32
# window. Each preset in its own fresh Wine prefix inside its build folder.
# Usage: scripts/bench-windows.sh [windows|windows-x86 ...]   (default: both)
set -euo pipefail
cd "$(dirname "$0")/.."
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(windows windows-x86)
export WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
# The program in the French locale it is written for.
export LANG=fr_FR.UTF-8
unset LC_ALL
for preset in "${presets[@]}"; do
  build=build-$preset
  [ "$preset" = windows ] || [ "$preset" = windows-x86 ] || { echo "unknown preset $preset" >&2; exit 2; }
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target dorvane_bench dorvane_window_bench
  export WINEPREFIX=$PWD/$build/wineprefix-bench
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  wine wineboot -i && wineserver -w
  echo "== $preset" >&2
  wine "$build/bench/dorvane_bench.exe" --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true
  # Windows need the display from the start of Wine's server and desktop: a new server.
  wineserver -k 2>/dev/null || true
  xvfb-run -a sh -c 'wine "$0"; status=$?; wineserver -k; exit $status' \
    "$build/bench/dorvane_window_bench.exe"
  wineserver -w
done
