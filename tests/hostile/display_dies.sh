#!/usr/bin/env bash
# The X server dies under the clock: while it rings (the alarm window open, the chime
# playing), while only its window is shown, and while the About window is open. Each time
# the program says in one line that the display went away and ends with status 1, never a
# crash; and what it leaves in the runtime folder does not keep the next start from running.
#   display_dies.sh path/to/velto work-folder     (TRIES=n for more or fewer kills)
set -u
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdpyinfo xdotool pulseaudio pactl trayer; do
  command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
ls /usr/lib/*/faketime/libfaketime.so.1 > /dev/null 2>&1 || { echo "SKIP: no libfaketime"; exit 77; }
export VELTO=$(realpath "$1") WORK=$2
rm -rf "$WORK" && mkdir -p "$WORK/runtime" && chmod 700 "$WORK/runtime"
export XDG_RUNTIME_DIR=$WORK/runtime
# Nothing installed elsewhere on this machine may stand in for the sound under test.
export XDG_DATA_HOME=$WORK/no-data XDG_DATA_DIRS=$WORK/no-data
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
source "$here/../e2e/lib.sh"
cd "$WORK" # a core dump would land here
ulimit -c unlimited

XVFB="" TRAYER=""
trap 'kill $XVFB $TRAYER ${PID:-} ${PULSE_PID:-} 2> /dev/null || true' EXIT

# start_display: an X server of our own on a free display; sets XVFB and DISPLAY. Numbers
# are not used twice, so a server still going away is never taken for the next one.
next_display=150
start_display() {
  while [ -e "/tmp/.X11-unix/X$next_display" ] || [ -e "/tmp/.X$next_display-lock" ]; do
    next_display=$((next_display + 1))
  done
  export DISPLAY=:$next_display
  next_display=$((next_display + 1))
  Xvfb "$DISPLAY" -screen 0 800x600x24 -nolisten tcp > "$WORK/xvfb.log" 2>&1 &
  XVFB=$!
  wait_for xdpyinfo > /dev/null 2>&1 || { cat "$WORK/xvfb.log"; fail "Xvfb on $DISPLAY did not start"; }
}

shown() { xdotool search --onlyvisible --name "$1" > /dev/null 2>&1; }

# kill_display MOMENT: kills the server at that moment and checks how the clock ended.
tries=0
kill_display() {
  local moment=$1 status=""
  kill -TERM "$XVFB"
  wait "$XVFB" 2> /dev/null || true
  XVFB=""
  ends_by_itself && status=0 || status=$?
  [ "$status" != 124 ] || { kill -KILL "$PID"; fail "$moment: the clock lived on without its display"; }
  PID=""
  tries=$((tries + 1))
  local said
  said=$(cat "$WORK/velto.log")
  # One line of ours, not Qt's (nor Xlib's) own.
  if [ "$status" != 1 ] || ! grep -q "^velto: .*display" <<< "$said" ||
    grep -q "X11 connection broke\|XIO" <<< "$said"; then
    echo "$said"
    ls core* 2> /dev/null && echo "(a core dump is in $WORK)"
    fail "$moment (try $tries): status $status"
  fi
  echo "ok $moment: $(grep "^velto: .*display" <<< "$said")"
  : > "$WORK/velto.log"
}

start_sound_server

# About is reached from the tray menu; once, as it needs a tray.
start_display
start_tray
start_clock "2026-12-08 09:00:30"
wait_for tray_icon || fail "the icon is not in the tray"
open_menu
xdotool key a
wait_for shown '^About Velto$' || fail "About did not open the About window"
kill_display about
kill "$TRAYER" 2> /dev/null || true
TRAYER=""

# Mostly while it rings, where the sound system's threads are busy: the kill comes at a
# different point of the chime each time.
for i in $(seq "${TRIES:-14}"); do
  start_display
  start_clock "@2026-12-08 10:14:58" # the announcer rings at 10:15
  if [ "$i" = 1 ]; then
    kill_display window
    continue
  fi
  wait_for shown '^Alarm$' || fail "no ring came"
  sleep "0.$((RANDOM % 10))"
  kill_display ring
done

# The last one left its lock and socket behind; they must not turn the next start away.
start_display
start_clock "2026-12-08 09:00:30"
kill "$PID" && wait "$PID" || true
PID=""
echo "hostile display dies ok: $tries kills"
