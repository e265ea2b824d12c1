# Under a real window manager: a left-button drag on the background moves the window, other
# buttons and a quick click (a touchpad's tap) do not; Alt+F4 only hides the clock, which runs on; a later start brings it back.
start_openbox
start_tray
start_clock "2026-12-08 09:00:30"
before="$X,$Y"
drag_window
echo "left drag: $before -> $X,$Y"
[ "$X,$Y" != "$before" ] || fail "a left-button drag did not move the window"

before="$X,$Y"
for button in 2 3; do
  xdotool mousemove --window "$WID" 100 170 mousedown "$button"
  xdotool mousemove_relative --sync 50 50
  xdotool mouseup "$button"
done
# Pressed and released at once: the window must not follow the pointer afterwards.
xdotool mousemove --window "$WID" 100 170 click 1
xdotool mousemove_relative --sync 60 40
# Nothing to wait for when nothing happens: time for a move, which must not come.
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$WID")"
[ "$X,$Y" = "$before" ] || fail "another button or a quick click moved the window to $X,$Y"

xdotool windowactivate --sync "$WID"
xdotool key alt+F4 # through the window manager, as a user would
hidden() { [ "$(visible_windows)" = 0 ]; }
wait_for hidden || fail "Alt+F4 left the window shown"
kill -0 "$PID" || fail "Alt+F4 ended the program"
timeout 5 "$VELTO" >> "$WORK/velto.log" 2>&1
one_window() { [ "$(visible_windows)" = 1 ]; }
wait_for one_window || fail "a later start did not bring the window back"
kill "$PID"
echo "e2e window manager ok"
