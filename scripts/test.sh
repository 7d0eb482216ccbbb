#!/usr/bin/env bash
# Installs what is missing, builds Dorvane with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test
cmake --preset default -DDORVANE_TESTS=ON -DDORVANE_BENCH=ON >/dev/null
cmake --build --preset default
ctest --preset default
# The Windows builds, cross-compiled, with their tests under Wine; windows need a display, and
# meet a window manager there, as on a user's desktop.
for preset in windows windows-x86; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  xvfb-run -a bash scripts/openbox-run.sh ctest --preset "$preset"
done
