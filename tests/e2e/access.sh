# The clock as a screen reader reads it: the real program on a session bus of the check's
# own with the accessibility bus beside it, walked by an AT-SPI client (pyatspi).
command -v dbus-daemon > /dev/null || { echo "SKIP: dbus-daemon is not installed"; exit 77; }
LAUNCHER=/usr/libexec/at-spi-bus-launcher
[ -x "$LAUNCHER" ] || { echo "SKIP: at-spi2-core is not installed"; exit 77; }
# The system's own Python, where python3-pyatspi is (not one that a PATH puts first).
PY=/usr/bin/python3
"$PY" -c 'import pyatspi' 2> /dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }
TREE=$(dirname "${BASH_SOURCE[0]}")/access_tree.py

export XDG_CONFIG_HOME=$WORK/config # settings of the check's own
start_session_bus
"$LAUNCHER" --launch-immediately > "$WORK/atspi.log" 2>&1 &
LAUNCHER_PID=$!
trap 'kill $LAUNCHER_PID $BUS_PID 2> /dev/null || true' EXIT
ready() { dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress > /dev/null 2>&1; }
wait_for ready || { cat "$WORK/atspi.log"; fail "the accessibility bus did not start"; }

# As when a screen reader runs: Qt reaches the accessibility bus from the start.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_tray # without one, a message box would say so first
start_clock "@2026-12-08 10:20:10"
"$PY" "$TREE" tree || { cat "$WORK/velto.log"; fail "the main window as a screen reader reads it"; }

click 27 10 # the alarm switch on the title: it rings 4 seconds later
"$PY" "$TREE" alert || { cat "$WORK/velto.log"; fail "the ring window as a screen reader reads it"; }
kill "$PID"
wait "$PID" || true
kill "$TRAYER" 2> /dev/null || true
echo "e2e access ok"
