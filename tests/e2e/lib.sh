# Shared steps of the end-to-end checks. Sourced inside an X server (see run_xvfb.sh) with
# VELTO (the program), WORK (a fresh folder) and CHECKER (velto_screen_check) set.
set -euo pipefail

FAKETIME_LIB=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1 || true)
[ -n "$FAKETIME_LIB" ] || { echo "libfaketime is not installed"; exit 1; }

fail() { echo "FAILED: $*"; exit 1; }

# start_clock "2026-12-08 10:10:30": starts the clock with its clock standing still at that
# moment (the event loop's own timers run on real time); sets PID, WID and X, Y, WIDTH, HEIGHT.
start_clock() {
  LD_PRELOAD=$FAKETIME_LIB FAKETIME="$1" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    "$VELTO" >> "$WORK/velto.log" 2>&1 &
  PID=$!
  WID=""
  for _ in $(seq 50); do
    WID=$(xdotool search --onlyvisible --name '^Velto$' 2>/dev/null | head -n 1 || true)
    [ -n "$WID" ] && break
    sleep 0.1
  done
  [ -n "$WID" ] || { cat "$WORK/velto.log"; fail "no window appeared"; }
  sleep 1.5 # the first tick
  eval "$(xdotool getwindowgeometry --shell "$WID")"
}

# click X Y: a left click at window coordinates.
click() {
  xdotool mousemove --window "$WID" "$1" "$2" click 1
  sleep 0.5
}

shoot() { import -window root "$WORK/$1"; }

visible_windows() { xdotool search --onlyvisible --name '^Velto$' 2>/dev/null | wc -l; }
