# The punch log on the real program: a day of two sessions, the first across a kill -9,
# exported as CSV (exactly) and iCalendar (read by a parser that is not ours), the log window
# with the day's total, and a file in the log's place that is not a database.
export TZ=UTC
# The system's own Python, where python3-icalendar is.
/usr/bin/python3 -c "import icalendar" 2> /dev/null || { echo "SKIP: python3-icalendar is not installed"; exit 77; }
LOG=$XDG_DATA_HOME/velto/punch.sqlite
start_openbox
start_tray # without one, a box says so and covers the face
keys() { xdotool key --delay 80 "$@"; }
focused() { [ "$(xdotool getactivewindow 2> /dev/null)" = "$WID" ]; }
focus() {
  xdotool windowactivate --sync "$WID" 2> /dev/null || true
  wait_for focused || fail "the clock did not get the focus"
}
punch_is() { shows punch "$1" || fail "expected a punch count of $1"; }
at() { echo "2026-12-08 $1:00" > "$WORK/faketime"; } # the clock stands still there
run() { FAKETIME_TIMESTAMP_FILE=$WORK/faketime FAKETIME_NO_CACHE=1 start_clock; }
# The clock has ticked at the time set: the punch that follows is at that instant.
ticked() { shows time "$1" 00 || fail "the clock does not show $1"; }
# The export (read only, beside the running clock) has N finished sessions.
finished() { [ "$("$VELTO" --export csv | wc -l)" = $(($1 + 1)) ]; }

at 09:00
run
focus
keys p
punch_is 0
kill -9 "$PID"
wait "$PID" 2> /dev/null || true

at 12:30
run
punch_is 210
focus
keys p
wait_for finished 1 || fail "the punch-out at 12:30 was not written"
at 13:00
ticked 13:00
keys p
punch_is 0
at 17:30
ticked 17:30
keys p
wait_for finished 2 || fail "the punch-out at 17:30 was not written"

expected=$'start,end,minutes,hours\r
2026-12-08T09:00:00+00:00,2026-12-08T12:30:00+00:00,210,3.50\r
2026-12-08T13:00:00+00:00,2026-12-08T17:30:00+00:00,270,4.50\r'
csv=$("$VELTO" --export csv) || fail "--export csv ended with $?"
[ "$csv" = "$expected" ] || { echo "$csv"; fail "the CSV export is not the day's two sessions"; }

"$VELTO" --export ics --from 2026-12-08 --to 2026-12-08 --output "$WORK/day.ics" ||
  fail "--export ics ended with $?"
/usr/bin/python3 - "$WORK/day.ics" << 'EOF' || fail "the iCalendar export does not read as the two sessions"
import sys
from datetime import datetime, timezone
import icalendar
cal = icalendar.Calendar.from_ical(open(sys.argv[1], "rb").read())
events = [(e.decoded("dtstart"), e.decoded("dtend"), str(e["summary"]))
          for e in cal.walk("VEVENT")]
utc = lambda h, m: datetime(2026, 12, 8, h, m, tzinfo=timezone.utc)
assert events == [(utc(9, 0), utc(12, 30), "Punched in"),
                  (utc(13, 0), utc(17, 30), "Punched in")], events
assert len({str(e["uid"]) for e in cal.walk("VEVENT")}) == 2
EOF
status=0
"$VELTO" --export csv --from 2026-12-32 2> "$WORK/bad-date.txt" || status=$?
[ "$status" = 2 ] && grep -q "^velto: --from 2026-12-32 is not a date" "$WORK/bad-date.txt" ||
  fail "a bad date was not refused with status 2: $status, $(cat "$WORK/bad-date.txt")"

# The log window, from its key: the day's total and both sessions.
keys l
wait_for xdotool search --onlyvisible --name '^Punch log$' > /dev/null ||
  fail "L did not open the punch log"
sleep 0.5 # drawn
shoot punch-log.png

# Something else in the log's place: kept aside, said, and a new log begun.
kill -9 "$PID"
wait "$PID" 2> /dev/null || true
echo "not a database" > "$LOG"
rm -f "$LOG-wal" "$LOG-shm"
run
grep -q "^velto: the punch log .* is kept as .*punch.sqlite.bad" "$WORK/velto.log" ||
  fail "the bad file was not said"
[ "$(cat "$LOG.bad")" = "not a database" ] || fail "the bad file was not kept aside"
[ "$("$VELTO" --export csv)" = $'start,end,minutes,hours\r' ] || fail "the new log is not empty"
kill "$TRAYER"
echo "e2e punch ok"
