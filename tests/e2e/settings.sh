# What the user chose survives the end of the program, whether it ends by Ctrl+Q or is
# killed: the window's place, the announcer switched off, an alarm for tomorrow and the
# punch clock, which counts on across the restart.
export XDG_CONFIG_HOME=$WORK/config
CONF=$XDG_CONFIG_HOME/velto/velto.conf
start_openbox
start_tray
keys() { xdotool key --delay 80 "$@"; }
focused() { [ "$(xdotool getactivewindow 2> /dev/null)" = "$WID" ]; }
focus() {
  xdotool windowactivate --sync "$WID" 2> /dev/null || true
  wait_for focused || fail "the clock did not get the focus"
}
punch_is() { shows punch "$1" || fail "expected a punch count of $1"; }
ends() { ends_by_itself || [ $? != 124 ] || fail "the clock did not end"; }

[ ! -e "$CONF" ] || fail "a settings file before the first start"
start_clock "@2026-12-08 09:20:30" # the minute hand away from the mark at 12
drag_window
moved_to="$X,$Y"
focus
keys p i i i i # punched in; the announcer from every 15 minutes round to off
click 180 120   # the alarm read-out: edit mode
keys 0 7 0 0 Return
alarm_is 07:00 60 60
kept_off() { grep -q '^interval=0$' "$CONF"; }
wait_for kept_off || { cat "$CONF"; fail "the announcer's interval is not kept"; }
focus
keys ctrl+q
ends

# Three minutes later, by the clock.
start_clock "@2026-12-08 09:23:40"
[ "$X,$Y" = "$moved_to" ] || fail "the window came back at $X,$Y, not at $moved_to"
alarm_is 07:00 60 60
punch_is 3
grep -q '^interval=0$' "$CONF" || fail "the announcer was not kept off"

# A change, then the program killed: the file was written at the change.
focus
keys 3 # the fourth preset: five minutes, 09:28:4x
written() { grep -q '=countdown$' "$CONF"; }
wait_for written || { cat "$CONF"; fail "the preset was not written down"; }
kill -9 "$PID"
ends
start_clock "@2026-12-08 09:24:00"
alarm_is 09:28 04 4
punch_is 3
[ "$X,$Y" = "$moved_to" ] || fail "after kill -9 the window came back at $X,$Y, not at $moved_to"
echo "e2e settings ok"
