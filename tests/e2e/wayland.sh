#!/usr/bin/env bash
# Native on Wayland: under a headless Weston of our own the clock shows its borderless
# 385x195 window, known by the desktop entry's id, stays up without a word from Qt, and a
# second start hands over to it and ends by itself. Minimised (the compositor has no input
# here, so its button is pressed the way a screen reader presses it), the window comes back
# at the next start. With a notification area of the check's own, the tray icon is the same
# StatusNotifierItem as under X11 (see sni_lib.sh).
#   wayland.sh path/to/velto work-folder
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
VELTO=$1 WORK=$2
source "$here/lib.sh"
source "$here/sni_lib.sh"
skip() { echo "SKIP: $*"; exit 77; }
command -v weston > /dev/null || skip "weston is not installed"
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so > /dev/null 2>&1 ||
  skip "Qt's Wayland platform (qt6-wayland) is not installed"
command -v pulseaudio > /dev/null || skip "pulseaudio is not installed"

rm -rf "$WORK" && mkdir -p "$WORK/runtime" && chmod 700 "$WORK/runtime"
export XDG_RUNTIME_DIR=$WORK/runtime
export XDG_CONFIG_HOME=$WORK/config # never the user's own settings
export XDG_DATA_HOME=$WORK/data # nor their punch log
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
# A place kept from an X11 session: Wayland tells the clock no place, so it must stay.
mkdir -p "$XDG_CONFIG_HOME/velto"
printf '[General]\nversion=1\n[window]\nx=120\ny=80\n' > "$XDG_CONFIG_HOME/velto/velto.conf"
# A session bus, where dbus is installed, and on it the accessibility bus and a notification
# area of our own, where each is installed.
LAUNCHER=/usr/libexec/at-spi-bus-launcher PY=/usr/bin/python3 BUS_PID="" LAUNCHER_PID=""
HOST_PID=""
command -v dbus-daemon > /dev/null && start_session_bus
if [ -n "$BUS_PID" ] && [ -x "$LAUNCHER" ] && "$PY" -c 'import pyatspi' 2> /dev/null; then
  "$LAUNCHER" --launch-immediately > "$WORK/atspi.log" 2>&1 &
  LAUNCHER_PID=$!
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
fi
[ -n "$BUS_PID" ] && [ -z "$(sni_missing)" ] && start_sni_host
trap 'kill $PID $PULSE_PID $WESTON_PID $LAUNCHER_PID $HOST_PID $BUS_PID 2>/dev/null || true' EXIT

# The protocol log shows what the clock asks of the compositor; Qt's own lines do not start
# with "[". The clock stands still, so that an armed alarm stays armed, at a minute of the
# announcer, so that a ring window comes up at once and what Qt says about it is heard too.
LD_PRELOAD=$FAKETIME_LIB FAKETIME="2026-12-08 09:00:00" FAKETIME_DONT_FAKE_MONOTONIC=1 \
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
grep -q 'xdg_toplevel@[0-9]*\.set_title("Alarm")' "$WORK/velto.log" || fail "no ring window"

status=0
timeout 15 "$VELTO" > "$WORK/second.log" 2>&1 || status=$?
[ "$status" = 0 ] || { cat "$WORK/second.log"; fail "the second start ended with $status"; }
# A start that ends at once can race Qt's own threads at exit ("QEventLoop: Cannot be used
# without QApplication", on X11 as well); that one line says nothing about Wayland.
if grep -v '^QEventLoop: Cannot be used without QApplication$' "$WORK/second.log"; then
  fail "the second start said the lines above"
fi
sleep 1 # the first clock answers the request to show itself
kill -0 "$PID" 2> /dev/null || fail "the first clock is gone"

press() { "$PY" "$here/access_tree.py" press "$1" || fail "\"$1\" could not be pressed"; }
requests() { grep -c "xdg_toplevel@[0-9]*\.$1" "$WORK/velto.log" || true; }
# minimise: the window minimised through its button; MAPS, the times the clock's window was
# mapped so far (each time a toplevel of its own fixed size).
minimise() {
  local before
  before=$(requests 'set_minimized()') MAPS=$(requests 'set_min_size(385, 195)')
  press Minimise
  minimised() { [ "$(requests 'set_minimized()')" -gt "$before" ]; }
  wait_for minimised || fail "the window was not minimised"
}
mapped_anew() { [ "$(requests 'set_min_size(385, 195)')" -gt "$MAPS" ]; }
if [ -n "$LAUNCHER_PID" ]; then
  minimise
  timeout 15 "$VELTO" >> "$WORK/second.log" 2>&1 || fail "the third start ended with $?"
  wait_for mapped_anew || fail "the minimised window did not come back at the next start"
else
  echo "no AT-SPI here: the return of a minimised window is not checked"
fi
if [ -n "$LAUNCHER_PID" ] && [ -n "$HOST_PID" ]; then
  sni_item
  arm() { press "Alarm switch"; }
  check_sni arm minimise mapped_anew
else
  echo "no AT-SPI or no notification area of our own here: the tray icon is not checked"
  kill "$PID"
  wait "$PID" || true
fi
PID=""
grep -qx 'x=120' "$XDG_CONFIG_HOME/velto/velto.conf" && grep -qx 'y=80' "$XDG_CONFIG_HOME/velto/velto.conf" ||
  { cat "$XDG_CONFIG_HOME/velto/velto.conf"; fail "the place kept from another session was lost"; }

# Nothing but the protocol log and the clock's own "velto:" lines (without a notification
# area of ours, the clock says once that there is none); anything else would be Qt's.
if grep -v '^\[' "$WORK/velto.log" | grep -v '^\s*$' | grep -v '^velto: ' > "$WORK/said.txt"; then
  cat "$WORK/said.txt"
  fail "the clock printed the lines above"
fi
echo "e2e wayland ok"
