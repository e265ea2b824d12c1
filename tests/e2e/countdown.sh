# A countdown is real time: a one-minute countdown rings a minute after it was set, though the
# system clock is set back an hour in between.
# On the session bus, the ring is a signal and the alarm's properties say it is off.
# Away from the announcer's quarter hours, whose rings show the same window.
start_session_bus
trap 'kill ${PID:-} ${MONITOR:-} $BUS_PID 2> /dev/null || true' EXIT
echo "@2026-12-08 10:20:10" > "$WORK/faketime"
FAKETIME_TIMESTAMP_FILE=$WORK/faketime FAKETIME_NO_CACHE=1 start_clock
gdbus monitor --session --dest io.github.velto_clock.Velto > "$WORK/monitor.txt" 2>&1 &
MONITOR=$!
wait_for grep -q "owned by" "$WORK/monitor.txt" || { cat "$WORK/monitor.txt"; fail "the clock is not on the bus"; }
set_at=$(date +%s%N)
click 148 176 # preset "01"
echo "@2026-12-08 09:20:10" > "$WORK/faketime" # the same run of time, an hour back
since_set() { echo $((($(date +%s%N) - set_at) / 1000000)); }
ringing() { xdotool search --onlyvisible --name '^Alarm' > /dev/null 2>&1; }
# The minute is waited out for real: the countdown runs on the time since boot, which
# libfaketime cannot move apart from the clock's time that is set back here.
wait_for 65 ringing || fail "no ring within 65 s"
after=$(since_set)
# Rings come at the whole seconds of the clock, and a clock set back by a fraction of a second
# moves those edges: within two seconds of the minute.
echo "the countdown rang after $after ms"
[ "$after" -ge 58000 ] && [ "$after" -le 62000 ] || fail "the countdown rang after $after ms"
wait_for grep -q "Rang ('alarm'," "$WORK/monitor.txt" || { cat "$WORK/monitor.txt"; fail "no Rang on the bus"; }
grep -q "PropertiesChanged ('io.github.velto_clock.Velto1', {.*'Armed': <false>" "$WORK/monitor.txt" ||
  { cat "$WORK/monitor.txt"; fail "the bus was not told that the alarm is off"; }
kill "$PID"
