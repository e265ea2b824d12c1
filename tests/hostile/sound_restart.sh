#!/usr/bin/env bash
# The sound server goes away while the clock runs, a ring comes during the outage, and the
# server comes back: the clock says that rings are silent and why, says the lost ring, says
# when sound is back, and the next ring is heard. Qt 6.4 left every later ring silent; where
# the clock cannot bring Qt's sound back, it says so once and how to get it back.
#   sound_restart.sh path/to/velto work-folder
# It runs itself again inside an X server of its own (e2e/run_xvfb.sh), with e2e/lib.sh.
[ -n "${CHECKER:-}" ] || exec bash "$(dirname "$0")/../e2e/run_xvfb.sh" \
  --needs "pulseaudio parecord pactl trayer" ../hostile/sound_restart.sh "$@"

RING_CHECK=$(dirname "$VELTO")/tests/velto_ring_check
start_sound_server
PID="" REC_PID=""
trap 'kill $REC_PID $PID $PULSE_PID 2> /dev/null || true' EXIT
export XDG_DATA_HOME=$WORK/no-data XDG_DATA_DIRS=$WORK/no-data

# said TEXT [SECONDS]: waits until the clock has said TEXT on its console.
said() {
  wait_for "${2:-10}" grep -qF "$1" "$WORK/velto.log" && return 0
  echo "--- the clock said:" && cat "$WORK/velto.log"
  fail "the clock never said: $1"
}
# alarm_window_gone: waits for the alarm window to open, then to go (about 2 s).
alarm_shown() { xdotool search --onlyvisible --name '^Alarm' > /dev/null 2>&1; }
alarm_window_gone() {
  wait_for alarm_shown || fail "no alarm window"
  wait_for eval '! alarm_shown' || fail "the alarm window stays"
}
stop_server() {
  kill "$PULSE_PID"
  wait "$PULSE_PID" 2> /dev/null || true
}

start_tray
# The announcer's ring at 10:30 comes soon: the clock has its sound, and hears it go.
start_clock "@2026-12-08 10:28:40"
stop_server
said "velto: the sound server is gone (" 10

click 27 10 # arms the alarm four seconds ahead: it rings during the outage
alarm_window_gone
said "velto: a ring could not be played: the sound server is gone"

start_sound_server # the same socket as before
said "velto: sound is back" 15
parecord -d velto.monitor --file-format=wav "$WORK/after.wav" &
REC_PID=$!
click 27 10
alarm_window_gone
sleep 0.3 # the chime's tail
kill -INT "$REC_PID"
wait "$REC_PID" || true
REC_PID=""
echo "--- the clock said:" && cat "$WORK/velto.log"
"$RING_CHECK" sound "$WORK/after.wav" || fail "the ring after the restart was not heard"
for line in "the sound server is gone" "a ring could not be played" "sound is back"; do
  [ "$(grep -c "velto: $line" "$WORK/velto.log")" = 1 ] || fail "not said exactly once: $line"
done

# Without what the clock knows of Qt's insides (as on another Qt), sound cannot come back
# by itself: that is said once, with what brings it back.
kill "$PID"
wait "$PID" || true
: > "$WORK/velto.log"
VELTO_NO_QT_WORKAROUNDS=1 start_clock "@2026-12-08 10:28:40"
connected() { pactl list clients 2> /dev/null | grep -q 'application.name = "Velto"'; }
wait_for connected || { pactl list clients; fail "the clock's sound did not connect"; }
stop_server
click 27 10
alarm_window_gone
said "velto: a ring could not be played"
start_sound_server
said "until the clock is started again" 15
sleep 3 # time to say it again, which it must not
echo "--- the clock said:" && cat "$WORK/velto.log"
[ "$(grep -c "until the clock is started again" "$WORK/velto.log")" = 1 ] ||
  fail "not said exactly once"
echo "sound restart ok"
