#!/usr/bin/env bash
# Random input on every window of the clock under a real window manager, a notification area
# and a sound server of its own (clicks, double clicks, drags, moves, Escape, Return, Space,
# the tray icon and its menu, the alarm window, About), then one SIGTERM: the clock must end
# within five seconds with status 0, as a session's end expects.
#   random_input.sh path/to/velto work-folder [seed] [seconds]
# The test run gives it 15 seconds; a soak run gives it longer, with the seconds above or
# RANDOM_INPUT_SECONDS (say 600) and another RANDOM_INPUT_SEED.
# It runs itself again inside an X server of its own (e2e/run_xvfb.sh), with e2e/lib.sh.
[ -n "${CHECKER:-}" ] || RANDOM_INPUT_SEED=${3:-${RANDOM_INPUT_SEED:-7}} \
  RANDOM_INPUT_SECONDS=${4:-${RANDOM_INPUT_SECONDS:-15}} exec bash \
  "$(dirname "$0")/../e2e/run_xvfb.sh" --needs "trayer openbox pulseaudio pactl" \
  ../hostile/random_input.sh "$1" "$2"

start_sound_server # rings as on a desktop, through Qt's sound
PID=""
trap 'kill -9 $PID $PULSE_PID 2> /dev/null || true' EXIT
start_openbox
start_tray
start_clock "@2026-12-08 09:00:00"
RANDOM=$RANDOM_INPUT_SEED
starts=1 steps=0

# target: sets TWIN to one of the clock's shown windows (or the root, for the tray icon and
# its menu), and TW, TH to its size.
target() {
  local windows
  mapfile -t windows < <(xdotool search --onlyvisible --pid "$PID" 2> /dev/null || true)
  if [ "${#windows[@]}" = 0 ] || [ $((RANDOM % 4)) = 0 ]; then
    TWIN=root TW=800 TH=600
    return
  fi
  TWIN=${windows[RANDOM % ${#windows[@]}]}
  eval "$(xdotool getwindowgeometry --shell "$TWIN" 2> /dev/null || echo WIDTH=1 HEIGHT=1)"
  TW=$WIDTH TH=$HEIGHT
}
# at: moves the pointer to a random spot of the target, or to the tray icon.
at() {
  if [ "$TWIN" = root ]; then
    if tray_icon 2> /dev/null && [ $((RANDOM % 2)) = 0 ]; then
      xdotool mousemove "$TX" "$TY"
    else
      xdotool mousemove $((RANDOM % TW)) $((RANDOM % TH))
    fi
  else
    xdotool mousemove --window "$TWIN" $((RANDOM % TW)) $((RANDOM % TH))
  fi
}

end=$((SECONDS + RANDOM_INPUT_SECONDS))
while [ "$SECONDS" -lt "$end" ]; do
  if ! kill -0 "$PID" 2> /dev/null; then
    # The input found Exit or the close button: that end is the clock's own, so it starts
    # again and the input goes on.
    wait "$PID" || fail "the clock died with status $? after $steps steps"
    start_clock "@2026-12-08 09:00:00"
    starts=$((starts + 1))
  fi
  target
  at
  case $((RANDOM % 10)) in
    0 | 1) xdotool click 1 ;;
    2) xdotool click --repeat 2 --delay 80 1 ;;
    3) xdotool click 3 ;;
    4) xdotool mousedown 1 mousemove_relative -- $((RANDOM % 81 - 40)) $((RANDOM % 81 - 40)) \
         sleep 0.1 mouseup 1 ;;
    5) xdotool mousedown 1 sleep 0.12 mouseup 1 ;;
    6) xdotool key Escape ;;
    7) xdotool key Return ;;
    8) xdotool key space ;;
    9) xdotool mousemove_relative -- $((RANDOM % 21 - 10)) $((RANDOM % 21 - 10)) ;;
  esac
  steps=$((steps + 1))
  sleep 0.0$((RANDOM % 10))
done
echo "$steps steps, $starts starts"

kill -TERM "$PID"
status=0
ends_by_itself 5 || status=$?
if [ "$status" = 124 ]; then
  cat "$WORK/velto.log"
  fail "the clock ran on five seconds after one SIGTERM"
fi
[ "$status" = 0 ] || fail "the clock ended with status $status on SIGTERM"
PID=""
! grep -F "did not end within a second" "$WORK/velto.log" ||
  echo "NOTE: the clock ended only by its last resort"
echo "random input ok"
