# The ring as its user chose it, heard from a private PulseAudio server's null sink: the
# announcer at half volume is about 6 dB below the alarm at full volume in one run; the
# user's own 440 Hz file is the alarm's sound; a missing one falls back to the chime, heard
# and said once; quiet hours keep the announcer still at 23:00 and let it ring at 07:00; a
# settings value the clock does not offer falls back to its default, said once; with no ring
# near, the sound is loaded by a preview, which is heard.
if ! command -v pulseaudio > /dev/null || ! command -v parecord > /dev/null; then
  echo "SKIP: pulseaudio or parecord is not installed, so the ring's sound cannot be recorded"
  exit 77
fi
RING_CHECK=$(dirname "$VELTO")/tests/velto_ring_check
start_tray # the clock keeps its icon there; without one it would say so first
start_sound_server
trap 'kill $REC_PID $PULSE_PID 2>/dev/null || true' EXIT
export XDG_DATA_HOME=$WORK/no-data XDG_DATA_DIRS=$WORK/no-data
CONF=$XDG_CONFIG_HOME/velto/velto.conf
# rings: the next ring's window comes and goes.
rings() {
  wait_for 15 ring_window || fail "no ring"
  wait_for 15 no_ring_window || fail "the ring's window stays"
}
ends() {
  kill "$PID"
  wait "$PID" || true
}

# Full volume for the alarm, half for the announcer, the same sound: one run, two rings.
write_settings "[sound]" "announcer_volume=50"
record volumes
start_clock "@2026-12-08 10:14:44"
click 27 10 # the alarm four seconds ahead; the announcer at 10:15
rings
rings
sleep 0.5
stop_recording
ends
sounds volumes -90 > "$WORK/volumes.txt" # the null sink is silent to the last bit
cat "$WORK/volumes.txt"
[ "$(wc -l < "$WORK/volumes.txt")" = 2 ] || fail "not two rings"
drop=$(awk 'NR == 1 { a = $4 } NR == 2 { print a - $4 }' "$WORK/volumes.txt")
echo "the announcer at 50 % is $drop dB below the alarm at 100 %"
awk -v d="$drop" 'BEGIN { exit !(d > 4.5 && d < 7.5) }' || fail "not about 6 dB quieter"

# The user's own sound: a second of 440 Hz.
python3 - "$WORK/tone.wav" <<'PY'
import math, struct, sys, wave
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(1); w.setsampwidth(2); w.setframerate(44100)
    w.writeframes(b"".join(struct.pack("<h", int(12000 * math.sin(2 * math.pi * 440 * i / 44100)))
                           for i in range(44100)))
PY
write_settings "[sound]" "file=$WORK/tone.wav"
record own
start_clock "@2026-12-08 10:20:10"
click 27 10
rings
stop_recording
ends
"$RING_CHECK" tone 440 "$WORK/own.wav" || fail "the own sound was not heard"

# A missing file: the chime rings instead, twice, and the file is named once.
write_settings "[sound]" "file=$WORK/gone.wav"
: > "$WORK/velto.log"
record fallback
start_clock "@2026-12-08 10:20:10"
click 27 10
rings
click 27 10
rings
stop_recording
ends
[ "$(sounds fallback | wc -l)" = 2 ] || fail "the built-in chime was not heard at each ring"
grep "gone.wav" "$WORK/velto.log"
[ "$(grep -c 'gone.wav: not found; the built-in chime plays instead' "$WORK/velto.log")" = 1 ] ||
  fail "the missing file was not said exactly once"

# Quiet hours from 22:00 to 07:00: nothing at 23:00, the chime at 07:00.
write_settings "[announcer]" "quiet_from=22:00" "quiet_to=07:00"
record quiet
start_clock "@2026-12-08 22:59:57"
sleep 6
no_ring_window || fail "a ring's window at 23:00, in the quiet hours"
stop_recording
ends
[ -z "$(sounds quiet)" ] || fail "a chime at 23:00, in the quiet hours"
record morning
start_clock "@2026-12-09 06:59:57"
rings
stop_recording
ends
[ "$(sounds morning | wc -l)" = 1 ] || fail "no chime at 07:00"

# No ring is near: the sound is not loaded; a preview loads it and is heard all the same.
write_settings
record preview
start_clock "@2026-12-08 10:20:10"
sound_loaded() { grep -q velto_sound "/proc/$PID/maps"; }
! sound_loaded || fail "the sound was loaded with no ring near"
prefs() { xdotool search --onlyvisible --name '^Velto Preferences$' 2> /dev/null | head -n 1; }
menu_keys '[ -n "$(prefs)" ]' r || fail "no Preferences window from the menu"
xdotool windowfocus --sync "$(prefs)" key alt+p
wait_for 10 sound_loaded || fail "the preview did not load the sound"
sleep 3 # the chime's second, and the time it takes to be loaded and heard
stop_recording
ends
[ "$(sounds preview | wc -l)" = 1 ] || fail "the preview was not heard"

# A length of ring the clock does not offer: the default, said once, the file kept aside.
write_settings "[alarm]" "ring_minutes=7"
: > "$WORK/velto.log"
start_clock "@2026-12-08 10:20:10"
said() { grep -q 'ring_minutes "7"' "$WORK/velto.log"; }
wait_for said || { cat "$WORK/velto.log"; fail "the wrong value was not said"; }
[ "$(grep -c 'ring_minutes' "$WORK/velto.log")" = 1 ] || fail "said more than once"
[ -e "$CONF.bad" ] || fail "the file was not kept aside"
click 27 10
rings # once, as the default rings
ends
echo "e2e ring_choices ok"
