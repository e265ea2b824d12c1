# Desktop notifications on a session bus of the check's own: an alarm set by a click on the
# title posts exactly one notification, with the alarm's time, to the notification service;
# with no service on the bus the clock says so once and keeps running.
command -v dbus-daemon > /dev/null || { echo "SKIP: dbus-daemon is not installed"; exit 77; }
SERVICE=$(dirname "$VELTO")/tests/velto_notify_service
NOTICES=$WORK/notices.txt
SERVICE_PID=""
start_session_bus
trap 'kill $SERVICE_PID $BUS_PID 2>/dev/null || true' EXIT

"$SERVICE" "$NOTICES" > "$WORK/service.log" 2>&1 &
SERVICE_PID=$!
wait_for test -e "$NOTICES.ready" || { cat "$WORK/service.log"; fail "the service did not start"; }

alarm_window() { xdotool search --onlyvisible --name '^Alarm' > /dev/null 2>&1; }
# rings: arms the alarm by the title and waits for its window to come and go.
rings() {
  click 27 10
  wait_for alarm_window || fail "no alarm window"
  wait_for eval '! alarm_window' || fail "the alarm window stays"
}

start_tray # the clock keeps its icon there; without one it would say so first
start_clock "@2026-12-08 10:20:10"
rings
wait_for test -s "$NOTICES" || { cat "$WORK/velto.log"; fail "no notification"; }
sleep 1 # time for a second one, which must not come
[ "$(wc -l < "$NOTICES")" = 1 ] || { cat "$NOTICES"; fail "not exactly one notification"; }
IFS=$'\t' read -r app icon summary body actions timeout < "$NOTICES"
echo "notified: $app | $icon | $summary | $body | $actions | $timeout"
[ "$app" = Velto ] || fail "the notification came from \"$app\""
[ "$icon" = io.github.velto_clock.Velto ] || fail "the notification's icon is \"$icon\""
[ "$body" = "Alarm 10:20" ] || fail "the notification said \"$summary\" \"$body\""
[ "$actions" = - ] && [ "$timeout" = -1 ] || fail "actions \"$actions\", timeout $timeout"
kill "$PID"
wait "$PID" || true

# Without a service: said once however often the alarm rings, and the clock runs on.
kill "$SERVICE_PID"
wait "$SERVICE_PID" || true
SERVICE_PID=""
: > "$WORK/velto.log"
start_clock "@2026-12-08 10:30:10"
rings
rings
said() { grep -q 'velto: desktop notifications are not shown' "$WORK/velto.log"; }
wait_for said || { cat "$WORK/velto.log"; fail "the missing service was not said"; }
[ "$(grep -c 'desktop notifications' "$WORK/velto.log")" = 1 ] ||
  { cat "$WORK/velto.log"; fail "the missing service was said more than once"; }
grep 'desktop notifications' "$WORK/velto.log"
kill -0 "$PID" || fail "the clock ended"
kill "$PID"
wait "$PID" || true

# A service that refuses each one with an error of another name: said once all the same.
rm -f "$NOTICES.ready"
REFUSE=1 "$SERVICE" "$NOTICES" > "$WORK/service.log" 2>&1 &
SERVICE_PID=$!
wait_for test -e "$NOTICES.ready" || fail "the refusing service did not start"
: > "$WORK/velto.log"
start_clock "@2026-12-08 10:40:10"
rings
rings
[ "$(grep -c 'desktop notifications' "$WORK/velto.log")" = 1 ] ||
  { cat "$WORK/velto.log"; fail "the refusals were not said once"; }
kill "$PID"
wait "$PID" || true
kill "$TRAYER" 2> /dev/null || true
echo "e2e notify ok"
