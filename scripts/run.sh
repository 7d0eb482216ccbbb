#!/usr/bin/env bash
# Installs what is missing, builds Dorvane and starts it. Without a display it renders the
# main window to a PNG instead and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh run
cmake --preset default -DDORVANE_TESTS=OFF -DDORVANE_BENCH=OFF >/dev/null
cmake --build --preset default --target dorvane
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/src/app/dorvane "$@"
fi
shot="$PWD/build/dorvane-screenshot.png"
QT_QPA_PLATFORM=offscreen ./build/src/app/dorvane --screenshot "$shot"
echo "No display found: the main window was rendered to $shot"
