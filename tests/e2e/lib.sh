# Shared steps of the end-to-end checks. Sourced inside an X server (see run_xvfb.sh) with
# VELTO (the program), WORK (a fresh folder) and CHECKER (velto_screen_check) set.
set -euo pipefail

FAKETIME_LIB=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1 || true)
[ -n "$FAKETIME_LIB" ] || { echo "libfaketime is not installed"; exit 1; }

fail() { echo "FAILED: $*"; exit 1; }

# start_clock "2026-12-08 10:10:30": starts the clock with its clock standing still at that
# moment (the event loop's own timers run on real time); sets PID, WID and X, Y, WIDTH, HEIGHT.
start_clock() {
  LD_PRELOAD=$FAKETIME_LIB FAKETIME="$1" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    "$VELTO" >> "$WORK/velto.log" 2>&1 &
  PID=$!
  WID=""
  for _ in $(seq 50); do
    WID=$(xdotool search --onlyvisible --name '^Velto$' 2>/dev/null | head -n 1 || true)
    [ -n "$WID" ] && break
    sleep 0.1
  done
  [ -n "$WID" ] || { cat "$WORK/velto.log"; fail "no window appeared"; }
  sleep 1.5 # the first tick
  eval "$(xdotool getwindowgeometry --shell "$WID")"
}

# click X Y: a left click at window coordinates.
click() {
  xdotool mousemove --window "$WID" "$1" "$2" click 1
  sleep 0.5
}

shoot() { import -window root "$WORK/$1"; }

visible_windows() { xdotool search --onlyvisible --name '^Velto$' 2>/dev/null | wc -l; }

# start_sound_server: a PulseAudio server of our own with a null sink "velto", in WORK, that
# nobody else can reach or notice; exports PULSE_SERVER and sets PULSE_PID (the caller ends
# it).
start_sound_server() {
  local pulse=$WORK/pulse
  mkdir -p "$pulse/home" && chmod 700 "$pulse"
  env -u DISPLAY -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS HOME="$pulse/home" \
    XDG_CONFIG_HOME="$pulse/home" PULSE_RUNTIME_PATH="$pulse/run" PULSE_STATE_PATH="$pulse/state" \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    -L "module-null-sink sink_name=velto" \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$pulse/native" \
    > "$WORK/pulse.log" 2>&1 &
  PULSE_PID=$!
  export PULSE_SERVER=unix:$pulse/native
  for _ in $(seq 50); do pactl info > /dev/null 2>&1 && break; sleep 0.1; done
  pactl info > /dev/null 2>&1 || {
    kill "$PULSE_PID" 2> /dev/null || true
    cat "$WORK/pulse.log"
    fail "the private sound server did not start"
  }
}
