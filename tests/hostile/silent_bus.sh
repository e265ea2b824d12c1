#!/usr/bin/env bash
# A session bus that takes connections and never answers: the clock shows its window within a
# few seconds all the same, says once that it goes without the bus, and ends on SIGTERM.
[ -n "${CHECKER:-}" ] || exec bash "$(dirname "$0")/../e2e/run_xvfb.sh" ../hostile/silent_bus.sh "$@"
python3 - "$WORK/bus" << 'PY' &
import socket, sys
server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
server.bind(sys.argv[1])
server.listen(64)
held = []
while True:
    held.append(server.accept()[0])
PY
BUS=$!
trap 'kill $BUS 2> /dev/null || true' EXIT
wait_for test -S "$WORK/bus" || fail "the silent bus did not start"
export DBUS_SESSION_BUS_ADDRESS=unix:path=$WORK/bus QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_clock "@2026-12-08 10:00:00" # fails when no window comes
grep 'session bus' "$WORK/velto.log" || fail "the silent bus was not said"
kill -TERM "$PID"
wait_for eval '! kill -0 $PID 2> /dev/null' || fail "SIGTERM did not end the clock"
echo "hostile silent_bus ok"
