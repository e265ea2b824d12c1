# A ring stopped or snoozed from its notification, on a session bus of the check's own with a
# notification service that shows actions and a media player that plays: the player is paused
# while the alarm rings and played again when the ring ends; "Stop" ends the ring at once,
# "Snooze" ends it and arms the alarm again for the snooze minutes.
command -v dbus-daemon > /dev/null || { echo "SKIP: dbus-daemon is not installed"; exit 77; }
command -v gdbus > /dev/null || { echo "SKIP: gdbus is not installed"; exit 77; }
TESTS=$(dirname "$VELTO")/tests
NOTICES=$WORK/notices.txt
PLAYED=$WORK/player.txt
start_session_bus
SERVICE_PID="" PLAYER_PID=""
trap 'kill ${PID:-} $SERVICE_PID $PLAYER_PID $BUS_PID 2> /dev/null || true' EXIT
# Rings until stopped, for up to a minute; snoozes for five.
mkdir -p "$XDG_CONFIG_HOME/velto"
printf 'version=1\n\n[alarm]\nring_minutes=1\nsnooze_minutes=5\n' > "$XDG_CONFIG_HOME/velto/velto.conf"

: > "$NOTICES"
ACTIONS=1 "$TESTS/velto_notify_service" "$NOTICES" > "$WORK/service.log" 2>&1 &
SERVICE_PID=$!
"$TESTS/velto_mpris_player" "$PLAYED" > "$WORK/player.log" 2>&1 &
PLAYER_PID=$!
wait_for test -e "$NOTICES.ready" -a -e "$PLAYED.ready" || fail "the test services did not start"

# told METHOD N: the player was told N things, the last METHOD.
told() {
  [ -e "$PLAYED" ] && [ "$(wc -l < "$PLAYED")" = "$2" ] &&
    [ "$(tail -n 1 "$PLAYED" | cut -d' ' -f2)" = "$1" ]
}
# alarm_now PYTHON-CONDITION: the running clock's alarm, as `a` from --status --json, meets it.
alarm_now() {
  "$VELTO" --status --json > "$WORK/status.json" || fail "--status --json failed"
  python3 -c "import json, sys; a = json.load(open(sys.argv[1]))['alarm']; sys.exit(not ($1))" \
    "$WORK/status.json" || fail "the alarm is not ($1): $(cat "$WORK/status.json")"
}
calls=0
# ring_then KEY: arms the alarm by the title and, while it rings, picks KEY on its
# notification; the ring ends at once, and the player plays again.
ring_then() {
  local notices
  notices=$(wc -l < "$NOTICES")
  click 27 10
  wait_for ring_window || fail "no alarm window"
  wait_for told Pause $((calls + 1)) || { cat "$PLAYED"; fail "the player was not paused"; }
  wait_for eval '[ "$(wc -l < "$NOTICES")" -gt "$notices" ]' || fail "no notification"
  IFS=$'\t' read -r _ _ _ body actions _ < <(tail -n 1 "$NOTICES")
  [[ $body =~ ^Alarm\ 10:2[0-9]$ ]] && [ "$actions" = stop,Stop,snooze,Snooze ] ||
    fail "the notification said \"$body\" with actions \"$actions\""
  ring_window || fail "the ring ended by itself"
  local picked=${EPOCHREALTIME//[.,]/}
  gdbus call --session --dest org.freedesktop.Notifications --object-path /test \
    --method org.example.NotifyTest.Invoke "$1" > /dev/null
  wait_for 2 eval '! ring_window' || fail "$1: the ring goes on"
  local took=$(((${EPOCHREALTIME//[.,]/} - picked) / 1000))
  echo "$1: the ring ended $took ms after the pick"
  [ "$took" -le 1000 ] || fail "$1: the ring took more than a second to end"
  wait_for told Play $((calls + 2)) || { cat "$PLAYED"; fail "$1: the player was not played again"; }
  calls=$((calls + 2))
}

start_tray # the clock keeps its icon there; without one it would say so first
start_clock "@2026-12-08 10:20:10"
ring_then stop
alarm_now 'not a["armed"]'
ring_then snooze
alarm_now 'a["armed"] and a["kind"] == "countdown" and a["minutes_left"] in (4, 5)'
echo "e2e ring_actions ok"
