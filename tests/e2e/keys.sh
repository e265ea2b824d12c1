# The clock from the keyboard on the real program at a frozen time: the focus frame shows only
# while the keyboard moves, and the keys punch, set and switch the alarm, type in the edit
# mode, hide the window and end the program.
start_openbox
start_tray
start_clock "2026-12-08 09:00:30"
focused() { [ "$(xdotool getactivewindow 2> /dev/null)" = "$WID" ]; }
xdotool windowactivate --sync "$WID" 2> /dev/null || true
wait_for focused || fail "the clock did not get the focus"
keys() { xdotool key --delay 80 "$@"; }
# The window as it is, cut from the screen.
window_shot() {
  shoot screen.png
  convert "$WORK/screen.png" -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$WORK/$1"
}
differing() { compare -metric AE "$WORK/$1" "$WORK/$2" null: 2>&1 || true; }

window_shot before.png
keys Tab # the title, framed
framed() { window_shot tabbed.png && [ "$(differing before.png tabbed.png)" -gt 0 ]; }
wait_for framed || fail "Tab shows no frame"
click 180 60 # the time read-out does nothing, and the mouse puts the frame away
unframed() { window_shot clicked.png && [ "$(differing before.png clicked.png)" = 0 ]; }
wait_for unframed || fail "a frame or some change is left after a click"

keys p
shows punch 0 || fail "P did not punch in"
keys 3 # the fourth preset: "05"
alarm_is 09:05 05 5
keys a # the alarm switch
alarm_is off blank 0
click 180 120 # the alarm read-out: edit mode
keys 1 9 1 5 Return
alarm_is 19:15 60 60

keys Escape
hidden() { [ "$(visible_windows)" = 0 ]; }
wait_for hidden || fail "Escape did not hide the window"
kill -0 "$PID" || fail "Escape ended the program"
timeout 5 "$VELTO" >> "$WORK/velto.log" 2>&1 # a later start asks for the window
one_window() { [ "$(visible_windows)" = 1 ]; }
wait_for one_window || fail "the window did not come back"
xdotool windowactivate --sync "$WID" 2> /dev/null || true
wait_for focused || fail "the clock did not get the focus back"
keys ctrl+q
status=0
ends_by_itself || status=$?
[ "$status" != 124 ] || fail "Ctrl+Q did not end the program"
[ "$status" = 0 ] || fail "the program ended with $status"
echo "e2e keys ok"
