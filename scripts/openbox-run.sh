#!/usr/bin/env bash
# Runs a command on the current X display under openbox, started first and stopped after: the
# Windows window scenarios meet a window manager, as a user's desktop does (under Wine, the
# manager moves, sizes and activates the windows' X11 windows itself).
# Usage: xvfb-run -a scripts/openbox-run.sh COMMAND...
set -euo pipefail
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null; wait "$wm" 2>/dev/null || true' EXIT
managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
for _ in $(seq 100); do
  managed && break
  sleep 0.1
done
managed || { echo "openbox did not start on $DISPLAY" >&2; exit 1; }
"$@"
