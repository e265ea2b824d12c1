# Rings heard and seen: an alarm set by a click on the title rings four seconds later, an
# announcer moment rings at its minute, and without the wav folder the built-in chime is
# heard. Each ring opens an "Alarm" window that shows the time, counts 2, 1 and goes. The
# sound is recorded from a private PulseAudio server's null sink, never the user's own, which
# lists the clock's stream as Velto's, an event sound.
if ! command -v pulseaudio > /dev/null || ! command -v parecord > /dev/null; then
  echo "SKIP: pulseaudio or parecord is not installed, so the ring's sound cannot be recorded"
  exit 77
fi
RING_CHECK=$(dirname "$VELTO")/tests/velto_ring_check

start_sound_server
trap 'kill $REC_PID $PULSE_PID 2>/dev/null || true' EXIT
# Nothing installed elsewhere on this machine may stand in for the sound under test.
export XDG_DATA_HOME=$WORK/no-data XDG_DATA_DIRS=$WORK/no-data

# ring NAME hh:mm: records while waiting for the alarm window, checks it shows hh:mm and
# counts 2, 1 and goes, then checks the recording and ends the clock.
ring() {
  local name=$1 time=$2 appeared gone="" gone_at=0 kind=""
  [ "$name" != alarm ] || kind=alarm # its Stop counts beside Snooze
  alarm=""
  alarm_window() { alarm=$(xdotool search --onlyvisible --name '^Alarm' 2>/dev/null | head -n 1) && [ -n "$alarm" ]; }
  wait_for alarm_window || fail "$name: no alarm window"
  appeared=$(date +%s%N)
  local geometry AX AY
  geometry=$(xdotool getwindowgeometry --shell "$alarm")
  AX=$(echo "$geometry" | sed -n 's/^X=//p')
  AY=$(echo "$geometry" | sed -n 's/^Y=//p')
  # A window is listed as soon as it maps, which can be a moment before it has painted;
  # the "2" stands for a second, so a few shots in its first half are fair.
  local first=""
  for _ in $(seq 8); do
    shoot "$name-2.png"
    "$RING_CHECK" window "$WORK/$name-2.png" "$AX" "$AY" "$time" 2 "$kind" && { first=1; break; }
    sleep 0.05
  done
  [ -n "$first" ] || fail "$name: at first"
  # Then "1", seen on one of the shots taken until the window goes. They are looked at
  # afterwards, so that a busy machine's slow check cannot make the loop miss the second.
  local counted="" n=0 shot
  for _ in $(seq 80); do
    xdotool search --onlyvisible --name '^Alarm' > /dev/null 2>&1 || {
      gone=1 gone_at=$(date +%s%N)
      break
    }
    n=$((n + 1))
    shoot "$name-later-$n.png"
    sleep 0.02
  done
  for shot in "$WORK/$name"-later-*.png; do
    [ -e "$shot" ] || continue
    "$RING_CHECK" window "$shot" "$AX" "$AY" "$time" 1 "$kind" > /dev/null && { counted=1; break; }
  done
  [ -n "$counted" ] || fail "$name: the button never read 1"
  [ -n "$gone" ] || fail "$name: the alarm window stays"
  local after=$(( (gone_at - appeared) / 1000000 ))
  echo "$name: the alarm window went after $after ms"
  [ "$after" -ge 1000 ] && [ "$after" -le 3000 ] || fail "$name: not about two seconds"
  sleep 0.3 # the chime's tail
  stop_recording
  "$RING_CHECK" sound "$WORK/$name.wav" || fail "$name: the chime was not heard"
  kill "$PID"
  wait "$PID" || true
}

# listed_as_velto: whether the sound server has the clock's stream playing under its name.
listed_as_velto() {
  pactl list sink-inputs > "$WORK/sink-inputs.txt" 2>&1
  grep -q 'application.name = "Velto"' "$WORK/sink-inputs.txt" &&
    grep -q 'application.icon_name = "io.github.velto_clock.Velto"' "$WORK/sink-inputs.txt" &&
    grep -q 'media.role = "event"' "$WORK/sink-inputs.txt"
}

start_tray # the clock keeps its icon there; without one it would say so first
record alarm
start_clock "@2026-12-08 10:20:10" # a running clock, from that moment on
# Watched beside the ring, which must not wait for it.
( wait_for listed_as_velto && touch "$WORK/listed" ) &
LISTING=$!
click 27 10 # the title picture arms the alarm four seconds ahead
ring alarm 10:20
wait "$LISTING" || true
[ -e "$WORK/listed" ] || { cat "$WORK/sink-inputs.txt"; fail "the sound server does not list the ring as Velto's event sound"; }
grep -E 'application.name|media.role' "$WORK/sink-inputs.txt"

record announcer
start_clock "@2026-12-08 10:14:57" # the announcer's default interval is 15 minutes
ring announcer 10:15

# Without the wav folder: the program's own chime, and one line that says why.
mkdir -p "$WORK/bare"
cp "$VELTO" "$(dirname "$VELTO")"/libvelto_sound.so "$WORK/bare/"
VELTO=$WORK/bare/velto
: > "$WORK/velto.log"
record builtin
start_clock "@2026-12-08 10:29:57"
ring builtin 10:30
grep -q "wav/alarm.wav: not found; the built-in chime plays instead" "$WORK/velto.log" ||
  { cat "$WORK/velto.log"; fail "the missing file was not named"; }
[ "$(grep -c 'not found' "$WORK/velto.log")" = 1 ] || fail "the missing file was named more than once"
echo "e2e ring ok"
