#!/usr/bin/env bash
# Runs one end-to-end check in its own X server.
#   run_xvfb.sh [--needs "tool..."] check.sh path/to/velto work-folder
# A check run by itself starts with this line, which runs it again in here (where CHECKER is
# set), or gives 77 when a tool it needs is missing:
#   [ -n "${CHECKER:-}" ] || exec bash "$(dirname "$0")/../e2e/run_xvfb.sh" --needs "tool..." \
#     ../hostile/check.sh "$@"
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ "$1" = --needs ]; then
  for tool in Xvfb xdotool $2; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  shift 2
fi
export VELTO=$2 WORK=$3
export CHECKER=$(dirname "$VELTO")/tests/velto_screen_check
rm -rf "$WORK" && mkdir -p "$WORK/runtime" && chmod 700 "$WORK/runtime"
export XDG_RUNTIME_DIR=$WORK/runtime # our own lock, whatever else runs on this machine
# Our own settings and autostart folder: one check's choices must not carry into another's,
# nor into the user's own.
export XDG_CONFIG_HOME=$WORK/config
export XDG_DATA_HOME=$WORK/data # the punch log too
command -v Xvfb > /dev/null || { echo "Xvfb is not installed"; exit 77; }
# Each check has a display number of its own, from its name, so checks that run side by side
# never share one, nor clean up after each other; a number that is taken (a server left
# behind) is skipped: Xvfb refuses it and the next is tried.
display=$(( $(printf %s "$1" | cksum | cut -d' ' -f1) % 700 + 300 ))
xvfb=""
trap '[ -z "$xvfb" ] || { kill $xvfb 2> /dev/null || true; wait $xvfb 2> /dev/null || true; }' EXIT
for _ in 1 2 3 4 5; do
  : > "$WORK/display"
  exec 3> "$WORK/display"
  Xvfb ":$display" -displayfd 3 -screen 0 800x600x24 -nolisten tcp >> "$WORK/xvfb.log" 2>&1 &
  xvfb=$!
  exec 3>&-
  for _ in $(seq 300); do # it writes the number once it takes clients
    [ -s "$WORK/display" ] && break
    kill -0 "$xvfb" 2> /dev/null || break
    sleep 0.05
  done
  [ -s "$WORK/display" ] && break
  kill "$xvfb" 2> /dev/null || true
  wait "$xvfb" 2> /dev/null || true
  xvfb=""
  display=$((display + 1000))
done
[ -n "$xvfb" ] || { cat "$WORK/xvfb.log"; echo "Xvfb did not start"; exit 1; }
export DISPLAY=:$display
status=0
bash -c "source '$here/lib.sh'; source '$here/$1'" || status=$?
[ "$status" = 0 ] || [ "$status" = 77 ] || cat "$WORK/xvfb.log"
exit "$status"
