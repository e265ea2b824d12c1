#!/usr/bin/env bash
# The notification area's watcher hangs (stopped) while the clock runs: the clock's questions
# to it go unanswered, and the clock ticks on all the same. Its face changes every second and
# an alarm set four seconds ahead rings on time.
[ -n "${CHECKER:-}" ] || exec bash "$(dirname "$0")/../e2e/run_xvfb.sh" ../hostile/hung_tray.sh "$@"
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/sni_lib.sh"
missing=$(sni_missing)
[ -z "$missing" ] || { echo "SKIP: $missing is not installed"; exit 77; }
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
start_session_bus
start_sni_host
trap 'kill -CONT $HOST_PID 2> /dev/null; kill $HOST_PID $BUS_PID 2> /dev/null || true' EXIT
start_clock "@2026-12-08 10:00:00"
sni_item
kill -STOP "$HOST_PID"

# Long enough for the clock to ask the watcher whether its area is still there.
for round in $(seq 8); do
  shoot before.png
  sleep 1
  shoot after.png
  ! cmp -s "$WORK/before.png" "$WORK/after.png" || fail "the face stood still (round $round)"
done

alarm_window() { xdotool search --onlyvisible --name '^Alarm' > /dev/null 2>&1; }
armed=$(date +%s%N)
click 27 10 # the title: the alarm four seconds ahead
for _ in $(seq 100); do alarm_window && break; sleep 0.1; done
alarm_window || fail "no ring"
late=$((($(date +%s%N) - armed) / 1000000 - 4000))
echo "rang $late ms after the alarm's instant"
[ "$late" -le 1000 ] || fail "the ring came $late ms late"
kill "$PID"
wait "$PID" || fail "the clock did not end cleanly"
echo "hostile hung_tray ok"
