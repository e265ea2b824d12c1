# An alarm that rings until stopped, heard from a private PulseAudio server's null sink: left
# alone it rings for its minute, growing from quiet to full over the first half minute, and
# its window stays up that long; it stops within a second of Esc on its window and of the
# tray's "Stop the alarm"; S snoozes it: the alarm is armed again for the snooze's minutes.
if ! command -v pulseaudio > /dev/null || ! command -v parecord > /dev/null; then
  echo "SKIP: pulseaudio or parecord is not installed, so the ring's sound cannot be recorded"
  exit 77
fi
start_openbox
start_tray
start_sound_server
trap 'kill $REC_PID $PULSE_PID 2>/dev/null || true' EXIT
export XDG_DATA_HOME=$WORK/no-data XDG_DATA_DIRS=$WORK/no-data
write_settings "[alarm]" "ring_minutes=1" "snooze_minutes=5"
now_ns() { date +%s%N; }
# stopped_within NAME STOPPED_AT: the recording NAME went silent within a second of the stop,
# measured from the sound's start, which came just before its window was seen (RANG_AT).
stopped_within() {
  local span late
  # The null sink is silent to the last bit: its first quiet seconds count too.
  span=$(sounds "$1" -90 | awk 'NR == 1 { s = $1 } END { print $2 - s }')
  [ -n "$span" ] || fail "$1: nothing was heard"
  late=$(awk -v span="$span" -v rang="$RANG_AT" -v stop="$2" \
    'BEGIN { printf "%.2f", span - (stop - rang) / 1e9 }')
  echo "$1: the sound ended $late s after the stop"
  awk -v l="$late" 'BEGIN { exit !(l < 1.0) }' || fail "$1: still heard a second after the stop"
}
# ring: arms the alarm by the title and waits for it to ring a few seconds.
ring() {
  click 27 10
  wait_for 15 ring_window || fail "no ring"
  RANG_AT=$(now_ns)
  sleep 3
  ring_window || fail "the ring ended by itself"
}

start_clock "@2026-12-08 10:20:10"

# Left alone: about a minute, quiet at first, full from half a minute on.
record alone
click 27 10
wait_for 15 ring_window || fail "no ring"
rang_at=$(now_ns)
sleep 45
ring_window || fail "the window went before the ring's minute"
wait_for 25 no_ring_window || fail "the window stays after the ring's minute"
sleep 1
stop_recording
sounds alone
from=$(awk -v r="$REC_AT" -v a="$rang_at" 'BEGIN { printf "%.2f", (a - r) / 1e9 }')
span=$(sounds alone | awk '{ print $2 - $1 }' | sort -n | tail -n 1)
echo "rang for $span s"
awk -v s="$span" 'BEGIN { exit !(s > 55 && s < 65) }' || fail "not about a minute"
first=$(level alone "$from" "$(awk -v f="$from" 'BEGIN { print f + 3 }')")
half=$(level alone "$(awk -v f="$from" 'BEGIN { print f + 27 }')" "$(awk -v f="$from" 'BEGIN { print f + 30 }')")
full=$(level alone "$(awk -v f="$from" 'BEGIN { print f + 40 }')" "$(awk -v f="$from" 'BEGIN { print f + 50 }')")
echo "loudness: first seconds $first dBFS, at half a minute $half, later $full"
awk -v a="$first" -v b="$half" -v c="$full" 'BEGIN { exit !(b - a > 15 && c - b > -3) }' ||
  fail "the ring did not grow from quiet to full over the first half minute"

# Esc on its window.
record escape
ring
xdotool key Escape
stopped=$(now_ns)
wait_for 2 no_ring_window || fail "Esc left the window up"
sleep 1.5
stop_recording
stopped_within escape "$stopped"

# The tray's "Stop the alarm" (its access key: t).
record tray
ring
stop_chosen() { ! ring_window; }
menu_keys stop_chosen t || fail "the tray menu did not stop the ring"
stopped=$(now_ns)
sleep 1.5
stop_recording
stopped_within tray "$stopped"

# S snoozes: armed again as a countdown of five minutes.
ring
xdotool key s
wait_for 2 no_ring_window || fail "S left the window up"
"$VELTO" --status --json > "$WORK/status.json"
python3 -c 'import json, sys; a = json.load(open(sys.argv[1]))["alarm"]
sys.exit(not (a["armed"] and a["kind"] == "countdown" and a["snoozed"] and a["minutes_left"] in (4, 5)))' \
  "$WORK/status.json" || fail "not snoozed for five minutes: $(cat "$WORK/status.json")"
"$VELTO" --stop && fail "--stop with nothing ringing was not refused"
kill "$PID"
wait "$PID" || true
echo "e2e ring_until_stopped ok"
