#!/usr/bin/env bash
# A session bus that takes connections and never answers: the clock's window comes within a
# few seconds all the same, the clock says it goes without the bus, and SIGTERM ends it.
[ -n "${CHECKER:-}" ] || exec bash "$(dirname "$0")/../e2e/run_xvfb.sh" ../hostile/silent_bus.sh "$@"
python3 -c 'import socket, sys
s = socket.socket(socket.AF_UNIX)
s.bind(sys.argv[1])
s.listen(64)
held = [s.accept() for _ in iter(int, 1)]' "$WORK/bus" &
trap "kill $! 2> /dev/null || true" EXIT
wait_for test -S "$WORK/bus" || fail "the silent bus did not start"
export DBUS_SESSION_BUS_ADDRESS=unix:path=$WORK/bus QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_clock "@2026-12-08 10:00:00" # fails when no window comes
grep 'session bus' "$WORK/velto.log" || fail "the silent bus was not said"
kill -TERM "$PID"
wait_for eval '! kill -0 $PID 2> /dev/null' || fail "SIGTERM did not end the clock"
