# On screens scaled 1.25x, 1.5x and 2x: the window covers its 385x195 pixels times the scale,
# and what it shows is the art drawn at that scale, not the 1x pictures enlarged.
start_tray # the clock keeps its icon there; without one it would say so first
for scale in 1.25:481x244 1.5:578x293 2:770x390; do
  factor=${scale%%:*} size=${scale#*:}
  QT_SCALE_FACTOR=$factor start_clock "2026-12-08 10:10:30"
  echo "at ${factor}x: window $WID at $X,$Y size ${WIDTH}x${HEIGHT}"
  [ "${WIDTH}x${HEIGHT}" = "$size" ] || fail "at ${factor}x the window is not $size"
  shoot "shot-$factor.png"
  "$CHECKER" "$WORK/shot-$factor.png" "$X" "$Y" time 10:10 30 "$factor" || fail "read-out at ${factor}x"
  kill "$PID"
  wait "$PID" 2> /dev/null || true # the next start must not find this one still running
done
echo "e2e scale ok"
