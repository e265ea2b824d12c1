#!/usr/bin/env bash
# The alarm's sound file is replaced while the clock runs, twenty times, with files of other
# rates and lengths (one to three times between rings, while the last one may still be
# loading), and once with a broken one: every ring is heard, with the latest file's own tone
# while it is good and the built-in chime while it is broken, and the clock lives on. Qt 6.4
# let the clock die at the first ring after a replacement.
#   sound_file.sh path/to/velto work-folder
# It runs itself again inside an X server of its own (e2e/run_xvfb.sh), with e2e/lib.sh.
[ -n "${CHECKER:-}" ] || exec bash "$(dirname "$0")/../e2e/run_xvfb.sh" \
  --needs "pulseaudio parecord pactl trayer python3" ../hostile/sound_file.sh "$@"

RING_CHECK=$(dirname "$VELTO")/tests/velto_ring_check
start_sound_server
PID="" REC_PID=""
trap 'kill $REC_PID $PID $PULSE_PID 2> /dev/null || true' EXIT
# The program alone, as installed: a sound beside the program in the build folder would be
# played before the user's.
mkdir -p "$WORK/bin"
cp "$VELTO" "$(dirname "$VELTO")"/libvelto_sound.so "$WORK/bin/"
VELTO=$WORK/bin/velto
export XDG_DATA_HOME=$WORK/data XDG_DATA_DIRS=$WORK/no-data
SOUND=$XDG_DATA_HOME/velto/wav/alarm.wav
mkdir -p "$(dirname "$SOUND")"

# tone HZ RATE SECONDS: replaces the sound file, as a copy would, with a sine of HZ.
tone() {
  python3 - "$SOUND.new" "$@" <<'PY'
import math, struct, sys, wave
path, hz, rate, seconds = sys.argv[1], float(sys.argv[2]), int(sys.argv[3]), float(sys.argv[4])
with wave.open(path, "wb") as w:
    w.setnchannels(1); w.setsampwidth(2); w.setframerate(rate)
    w.writeframes(b"".join(struct.pack("<h", int(20000 * math.sin(2 * math.pi * hz * i / rate)))
                           for i in range(int(rate * seconds))))
PY
  mv "$SOUND.new" "$SOUND"
}
# ring_heard CHECK...: arms the alarm four seconds ahead, records the ring and checks it with
# velto_ring_check CHECK... (the recording's name comes last).
alarm_shown() { xdotool search --onlyvisible --name '^Alarm' > /dev/null 2>&1; }
ring_heard() {
  parecord -d velto.monitor --latency-msec=20 --file-format=wav "$WORK/ring.wav" &
  REC_PID=$!
  recording() { pactl list short source-outputs | grep -q .; }
  wait_for recording || fail "parecord does not record"
  no_alarm_shown() { ! alarm_shown; }
  wait_for no_alarm_shown || fail "the ring before stays" # else its window would be taken for this one
  click 27 10
  wait_for alarm_shown || { kill -0 "$PID" 2> /dev/null || fail "the clock died"; fail "no alarm window"; }
  sleep 1.5 # every sound here lasts less than a second
  kill -INT "$REC_PID"
  wait "$REC_PID" || true
  REC_PID=""
  kill -0 "$PID" 2> /dev/null || { cat "$WORK/velto.log"; fail "the clock died"; }
  "$RING_CHECK" "$@" "$WORK/ring.wav"
}

tone 440 44100 0.9
start_tray
start_clock "@2026-12-08 10:20:10"
ring_heard tone 440 || fail "the first file was not heard"
rates=(22050 48000 8000 44100 16000)
for i in $(seq 1 20); do
  hz=$((300 + 37 * i))
  tone "$hz" "${rates[i % 5]}" "0.$((5 + i % 5))"
  # Rings after the replacements 1, 3, 5, 8, 10, 11, 14, 17 and 20: each rate rings once at least.
  case $i in 2 | 4 | 6 | 7 | 9 | 12 | 13 | 15 | 16 | 18 | 19) continue ;; esac
  ring_heard tone "$hz" || fail "replacement $i ($hz Hz at ${rates[i % 5]} Hz) was not heard"
  if [ "$i" = 10 ]; then
    head -c 300 /dev/urandom > "$SOUND" # broken: the chime plays instead
    ring_heard sound || fail "the chime was not heard in place of a broken file"
  fi
done
grep -q "alarm.wav: is not a WAV file; the built-in chime plays instead" "$WORK/velto.log" ||
  { cat "$WORK/velto.log"; fail "the broken file was not said"; }
kill -TERM "$PID"
wait "$PID" || fail "the clock ended with status $?"
echo "sound file ok"
