#!/usr/bin/env bash
# The tray menu's first and later opens, cold and prepared ahead, each in a process of its
# own: offscreen, and on a real X server (Xvfb) where one can be started.
#   menu_latency.sh build-folder
set -euo pipefail
program=$1/bench/velto_menu_latency
quiet() { grep -v -e 'does not support' -e 'XDG_RUNTIME_DIR' || true; }
for kind in cold prepared; do
  env -u DISPLAY -u WAYLAND_DISPLAY "$program" "$kind" 2>&1 | quiet
done
if command -v xvfb-run > /dev/null; then
  for kind in cold prepared; do
    xvfb-run -a -s "-screen 0 800x600x24" "$program" "$kind" 2>&1 | quiet
  done
fi
