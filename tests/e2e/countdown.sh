# A countdown is real time: a one-minute countdown rings a minute after it was set, though the
# system clock is set back an hour in between.
echo "+0" > "$WORK/faketime"
FAKETIME_TIMESTAMP_FILE=$WORK/faketime FAKETIME_NO_CACHE=1 start_clock
set_at=$(date +%s%N)
click 148 176 # preset "01"
echo "-3600" > "$WORK/faketime"
since_set() { echo $((($(date +%s%N) - set_at) / 1000000)); }
until xdotool search --onlyvisible --name '^Alarm' > /dev/null 2>&1; do
  [ "$(since_set)" -lt 65000 ] || fail "no ring within 65 s"
  sleep 0.1
done
after=$(since_set)
[ "$after" -ge 58500 ] && [ "$after" -le 61500 ] || fail "the countdown rang after $after ms"
kill "$PID"
