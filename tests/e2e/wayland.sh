#!/usr/bin/env bash
# Native on Wayland: under a headless Weston of our own the clock shows its borderless
# 385x195 window, known by the desktop entry's id, stays up without a word from Qt, and a
# second start hands over to it and ends by itself. Minimised (the compositor has no input
# here, so its button is pressed the way a screen reader presses it), the window comes back
# at the next start.
#   wayland.sh path/to/velto work-folder
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
VELTO=$1 WORK=$2
source "$here/lib.sh"
skip() { echo "SKIP: $*"; exit 77; }
command -v weston > /dev/null || skip "weston is not installed"
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so > /dev/null 2>&1 ||
  skip "Qt's Wayland platform (qt6-wayland) is not installed"
command -v pulseaudio > /dev/null || skip "pulseaudio is not installed"

rm -rf "$WORK" && mkdir -p "$WORK/runtime" && chmod 700 "$WORK/runtime"
export XDG_RUNTIME_DIR=$WORK/runtime
export XDG_CONFIG_HOME=$WORK/config # never the user's own settings
unset DISPLAY
weston --backend=headless-backend.so --socket=velto-test --idle-time=0 \
  > "$WORK/weston.log" 2>&1 &
WESTON_PID=$!
PID="" PULSE_PID=""
trap 'kill $PID $PULSE_PID $WESTON_PID 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  [ -S "$XDG_RUNTIME_DIR/velto-test" ] && break
  kill -0 "$WESTON_PID" 2> /dev/null || break
  sleep 0.1
done
if [ ! -S "$XDG_RUNTIME_DIR/velto-test" ]; then
  cat "$WORK/weston.log"
  skip "weston's headless backend does not start on this machine"
fi
start_sound_server # so that Qt's sound code has nothing to complain about either
export WAYLAND_DISPLAY=velto-test QT_QPA_PLATFORM=wayland
export XDG_CONFIG_HOME=$WORK/config
# A session bus with the accessibility bus, where there are both.
LAUNCHER=/usr/libexec/at-spi-bus-launcher PY=/usr/bin/python3 BUS_PID="" LAUNCHER_PID=""
if command -v dbus-daemon > /dev/null && [ -x "$LAUNCHER" ] && "$PY" -c 'import pyatspi' 2> /dev/null; then
  start_session_bus
  "$LAUNCHER" --launch-immediately > "$WORK/atspi.log" 2>&1 &
  LAUNCHER_PID=$!
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
fi
trap 'kill $PID $PULSE_PID $WESTON_PID $LAUNCHER_PID $BUS_PID 2>/dev/null || true' EXIT

# The protocol log shows what the clock asks of the compositor; Qt's own lines do not start
# with "[".
WAYLAND_DEBUG=client "$VELTO" > "$WORK/velto.log" 2>&1 &
PID=$!
shown=""
for _ in $(seq 100); do
  grep -q 'create_buffer(.*, 385, 195, ' "$WORK/velto.log" && { shown=1; break; }
  sleep 0.1
done
[ -n "$shown" ] || { grep -v '^\[' "$WORK/velto.log"; fail "no 385x195 window was drawn"; }
grep -q 'xdg_toplevel@[0-9]*\.set_app_id("io.github.velto_clock.Velto")' "$WORK/velto.log" ||
  fail "the window is not known by the desktop entry's id"
grep -q 'xdg_toplevel@[0-9]*\.set_title("Velto")' "$WORK/velto.log" || fail "the window's title"
sleep 3
kill -0 "$PID" 2> /dev/null || { grep -v '^\[' "$WORK/velto.log"; fail "the clock is gone"; }

status=0
timeout 5 "$VELTO" > "$WORK/second.log" 2>&1 || status=$?
[ "$status" = 0 ] || { cat "$WORK/second.log"; fail "the second start ended with $status"; }
# A start that ends at once can race Qt's own threads at exit ("QEventLoop: Cannot be used
# without QApplication", on X11 as well); that one line says nothing about Wayland.
if grep -v '^QEventLoop: Cannot be used without QApplication$' "$WORK/second.log"; then
  fail "the second start said the lines above"
fi
sleep 1 # the first clock answers the request to show itself
kill -0 "$PID" 2> /dev/null || fail "the first clock is gone"

if [ -n "$LAUNCHER_PID" ]; then
  "$PY" "$here/access_tree.py" press Minimise || fail "the minimise button could not be pressed"
  minimised() { grep -q 'xdg_toplevel@[0-9]*\.set_minimized()' "$WORK/velto.log"; }
  wait_for minimised || fail "the window was not minimised"
  maps() { grep -c 'xdg_toplevel@[0-9]*\.set_title("Velto")' "$WORK/velto.log"; }
  before=$(maps)
  timeout 5 "$VELTO" >> "$WORK/second.log" 2>&1 || fail "the third start ended with $?"
  back() { [ "$(maps)" -gt "$before" ]; }
  wait_for back || fail "the minimised window did not come back at the next start"
else
  echo "no AT-SPI here: the return of a minimised window is not checked"
fi
kill "$PID"
wait "$PID" || true
PID=""

# Nothing but the protocol log and the clock's own "velto:" lines (a headless compositor has
# no notification area, which the clock says once); anything else would be Qt's.
if grep -v '^\[' "$WORK/velto.log" | grep -v '^\s*$' | grep -v '^velto: ' > "$WORK/said.txt"; then
  cat "$WORK/said.txt"
  fail "the clock printed the lines above"
fi
echo "e2e wayland ok"
