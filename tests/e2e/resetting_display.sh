# An X server resets whenever its last client leaves (Xvfb, and Xorg without -noreset), and
# refuses a connection for a moment while it does. With short-lived clients coming and going
# (a panel's poll, xdotool), every start of the clock must still get its window, never Qt's
# abort with "could not connect to display".
( while :; do xdpyinfo > /dev/null 2>&1; sleep 0.005; done ) &
clients=$!
trap 'kill $clients 2> /dev/null || true' EXIT
for i in $(seq 15); do
  : > "$WORK/velto.log"
  "$VELTO" >> "$WORK/velto.log" 2>&1 &
  PID=$!
  window_or_end() {
    xdotool search --onlyvisible --pid "$PID" --name '^Velto$' > /dev/null 2>&1 ||
      ! kill -0 "$PID" 2> /dev/null
  }
  wait_for 30 window_or_end
  kill -0 "$PID" 2> /dev/null || { cat "$WORK/velto.log"; fail "start $i ended by itself"; }
  xdotool search --onlyvisible --pid "$PID" --name '^Velto$' > /dev/null 2>&1 ||
    { cat "$WORK/velto.log"; fail "start $i got no window"; }
  kill "$PID"
  wait "$PID" || true
done
echo "e2e resetting display ok: 15 starts"
