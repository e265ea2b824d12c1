# Timers on the real program across a change of the clocks and past midnight: a one-minute
# preset set a minute before Cairo's clocks go back an hour rings one real minute later, and
# a time typed late in the evening arms tomorrow's alarm.
openbox > "$WORK/openbox.log" 2>&1 &
sleep 1
start_tray
keys() { xdotool key --delay 80 "$@"; sleep 0.5; }
alarm_is() { # read-out countdown mark-minute
  shoot "alarm-$1-$2.png"
  "$CHECKER" "$WORK/alarm-$1-$2.png" "$X" "$Y" alarm "$1" "$2" "$3" || fail "expected alarm $*"
}
ringing() { xdotool search --onlyvisible --name '^Alarm' > /dev/null 2>&1; }

# Cairo, 2026-10-29: at midnight (+03) the clocks go back to 23:00 (+02). 23:59:00 comes
# twice that night, so the clock is started at the first one as an offset from real time.
TZ=Africa/Cairo start_clock "$(printf '%+ds' $(($(date -d '2026-10-29 20:59:00 UTC' +%s) - $(date +%s))))"
xdotool windowactivate --sync "$WID" 2> /dev/null || true
sleep 0.3
keys 1 # the second preset: "01"
set_at=$(date +%s)
alarm_is 23:00 01 1 # a minute on, the clock shows 23:00 again
for _ in $(seq 150); do
  ringing && break
  sleep 0.5
done
ringing || fail "the one-minute preset did not ring within 75 s"
took=$(($(date +%s) - set_at))
[ "$took" -ge 55 ] && [ "$took" -le 65 ] || fail "the one-minute preset rang after $took s"
kill "$PID"
wait "$PID" 2> /dev/null || true

# Ten to midnight, 07:00 typed: tomorrow's alarm, nine hours and ten minutes on.
TZ=Europe/Berlin start_clock "2026-12-08 23:50:00"
xdotool windowactivate --sync "$WID" 2> /dev/null || true
sleep 0.3
click 180 120 # the alarm read-out: edit mode
keys 0 7 0 0 Return
alarm_is 07:00 60 60
echo "e2e timers ok"
