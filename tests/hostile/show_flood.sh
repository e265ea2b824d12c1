#!/usr/bin/env bash
# A flood of later starts' requests brings the window back a few times, not once for each:
# the window manager is not kept busy raising it for minutes, and the clock keeps no more of
# the requests than the latest token.
[ -n "${CHECKER:-}" ] || exec bash "$(dirname "$0")/../e2e/run_xvfb.sh" ../hostile/show_flood.sh "$@"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION
start_openbox
trap 'kill $OPENBOX 2> /dev/null || true' EXIT
start_tray # without one, a message box would be a second window titled Velto
start_clock "@2026-12-08 10:00:00"
socket=$XDG_RUNTIME_DIR/velto-$(id -un).socket
[ -S "$socket" ] || fail "the clock does not listen at $socket"

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
resident_kib() { awk '/^VmRSS/ { print $2 }' "/proc/$1/status"; }
before=$(cpu_ticks "$OPENBOX")
rss_before=$(resident_kib "$PID")
# 200,000 requests as fast as the clock takes them (a full queue holds the sender), each with
# an activation token of its own.
python3 - "$socket" << 'PY'
import socket, sys
s = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
for i in range(200000):
    s.sendto(b"show token-%0200d\n" % i, sys.argv[1])
PY
sleep 2
grown=$(( ($(resident_kib "$PID") - rss_before) / 1024 ))
echo "the clock's memory grew by $grown MB over the flood"
[ "$grown" -lt 10 ] || fail "the clock kept what the flood sent: $grown MB more"
used=$(( ($(cpu_ticks "$OPENBOX") - before) * 1000 / $(getconf CLK_TCK) ))
echo "the window manager used $used ms of CPU for the flood"
[ "$used" -lt 1000 ] || fail "the window manager was kept busy: $used ms"
kill -0 "$PID" || fail "the clock did not survive the flood"
[ "$(visible_windows)" = 1 ] || fail "the window is not shown once"
kill "$PID"
wait "$PID" || fail "the clock did not end cleanly"
echo "hostile show flood ok"
