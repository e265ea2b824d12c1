# One borderless 385x195 window whose read-outs show the chosen time, and a second start that
# ends at once without a second window.
start_tray # the clock keeps its icon there; without one it would say so first
start_clock "2026-12-08 10:10:30"
echo "window $WID at $X,$Y size ${WIDTH}x${HEIGHT}"
[ "$WIDTH" = 385 ] && [ "$HEIGHT" = 195 ] || fail "wrong size"
xprop -id "$WID" _MOTIF_WM_HINTS | tee "$WORK/hints.txt"
# Decorations off: the third field of the Motif hints is 0.
grep -Eq '= 0x[0-9a-f]+, 0x[0-9a-f]+, 0x0' "$WORK/hints.txt" || fail "the window has a border"
shoot shot.png
"$CHECKER" "$WORK/shot.png" "$X" "$Y" time 10:10 30 || fail "read-out"

start=$(date +%s%N)
timeout 5 "$VELTO" > "$WORK/second.log" 2>&1 || fail "second start ended with $?"
took=$(( ($(date +%s%N) - start) / 1000000 ))
echo "second start ended after $took ms"
[ "$took" -lt 2000 ] || fail "second start took too long"
[ "$(visible_windows)" = 1 ] || fail "$(visible_windows) windows"
kill -0 "$PID" || fail "the first clock is gone"
kill "$PID"
echo "e2e window ok"
