#!/usr/bin/env bash
# The notification area's watcher hangs (stopped) while the clock runs: the clock ticks on
# all the same, its face changing every second, and an alarm set 4 s ahead rings on time.
[ -n "${CHECKER:-}" ] || exec bash "$(dirname "$0")/../e2e/run_xvfb.sh" ../hostile/hung_tray.sh "$@"
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/sni_lib.sh"
missing=$(sni_missing)
[ -z "$missing" ] || { echo "SKIP: $missing is not installed"; exit 77; }
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
start_session_bus
start_sni_host
trap 'kill -CONT $HOST_PID; kill $HOST_PID $BUS_PID 2> /dev/null || true' EXIT
start_clock "@2026-12-08 10:00:00"
sni_item
kill -STOP "$HOST_PID"
# Eight changes of the face, long enough for the clock to ask the watcher about its area:
# each within a few seconds, as one comes every second.
shoot a.png
changed() { shoot b.png && ! cmp -s "$WORK/a.png" "$WORK/b.png"; }
for round in $(seq 8); do
  wait_for 3 changed || fail "the face stood still (round $round)"
  mv "$WORK/b.png" "$WORK/a.png"
done
armed=$(date +%s%N)
click 27 10 # the title: the alarm four seconds ahead
wait_for xdotool search --onlyvisible --name '^Alarm' || fail "no ring"
late=$((($(date +%s%N) - armed) / 1000000 - 4000))
[ "$late" -le 1000 ] || fail "the ring came $late ms late"
