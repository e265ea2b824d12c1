# The punch button lights and counts; the minimise button hides the window while the clock
# runs on, and a later start brings it back; the close button ends the program.
start_tray # the clock keeps its icon there; without one it would say so first
start_clock "2026-12-08 09:00:30"
click 263 142 # the punch button, at the face's bottom-left corner
shoot punched.png
"$CHECKER" "$WORK/punched.png" "$X" "$Y" punch 0 || fail "punch"

click 358 10 # minimise
[ "$(visible_windows)" = 0 ] || fail "the window is still shown"
kill -0 "$PID" || fail "minimising ended the program"
timeout 5 "$VELTO" >> "$WORK/velto.log" 2>&1 # a later start asks for the window
one_window() { [ "$(visible_windows)" = 1 ]; }
wait_for one_window || fail "a later start did not bring the window back"

click 322 10 # close
for _ in $(seq 20); do kill -0 "$PID" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$PID" 2>/dev/null; then fail "the close button did not end the program"; fi
wait "$PID" || fail "the program ended with $?"
echo "e2e buttons ok"
