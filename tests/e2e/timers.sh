# Timers on the real program across a change of the clocks and past midnight: a one-minute
# preset set a minute before Cairo's clocks go back an hour rings one real minute later, and
# a time typed late in the evening arms tomorrow's alarm.
start_openbox
start_tray
keys() { xdotool key --delay 80 "$@"; }
ringing() { xdotool search --onlyvisible --name '^Alarm' > /dev/null 2>&1; }

# Cairo, 2026-10-29: at midnight (+03) the clocks go back to 23:00 (+02). 23:59:00 comes
# twice that night, so the clock is started at the first one as an offset from real time.
TZ=Africa/Cairo start_clock "$(printf '%+ds' $(($(date -d '2026-10-29 20:59:00 UTC' +%s) - $(date +%s))))"
timeout 5 xdotool windowactivate --sync "$WID" 2> /dev/null || true
keys 1 # the second preset: "01"
set_at=$(date +%s)
alarm_is 23:00 01 1 # a minute on, the clock shows 23:00 again
# The minute is waited out for real: the preset runs on the time since boot, which goes on
# at its own pace whatever libfaketime does to the clock's time.
wait_for 75 ringing || fail "the one-minute preset did not ring within 75 s"
took=$(($(date +%s) - set_at))
[ "$took" -ge 55 ] && [ "$took" -le 65 ] || fail "the one-minute preset rang after $took s"
kill "$PID"
wait "$PID" 2> /dev/null || true

# Ten to midnight, 07:00 typed: tomorrow's alarm, nine hours and ten minutes on.
TZ=Europe/Berlin start_clock "2026-12-08 23:50:00"
timeout 5 xdotool windowactivate --sync "$WID" 2> /dev/null || true
click 180 120 # the alarm read-out: edit mode
keys 0 7 0 0 Return
alarm_is 07:00 60 60
echo "e2e timers ok"
