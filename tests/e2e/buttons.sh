# The punch button lights and counts; the minimise button hides the window while the clock
# runs on, and a later start brings it back; the close button ends the program.
start_tray # the clock keeps its icon there; without one it would say so first
start_clock "2026-12-08 09:00:30"
click 263 142 # the punch button, at the face's bottom-left corner
shows punch 0 || fail "punch"

click 358 10 # minimise
hidden() { [ "$(visible_windows)" = 0 ]; }
wait_for hidden || fail "the window is still shown"
kill -0 "$PID" || fail "minimising ended the program"
timeout 5 "$VELTO" >> "$WORK/velto.log" 2>&1 # a later start asks for the window
one_window() { [ "$(visible_windows)" = 1 ]; }
wait_for one_window || fail "a later start did not bring the window back"

click 322 10 # close
status=0
ends_by_itself || status=$?
[ "$status" != 124 ] || fail "the close button did not end the program"
[ "$status" = 0 ] || fail "the program ended with $status"
echo "e2e buttons ok"
