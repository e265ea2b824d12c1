# Shared steps of the end-to-end checks. Sourced inside an X server (see run_xvfb.sh) with
# VELTO (the program), WORK (a fresh folder) and CHECKER (velto_screen_check) set.
set -euo pipefail

FAKETIME_LIB=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1 || true)
[ -n "$FAKETIME_LIB" ] || { echo "libfaketime is not installed"; exit 1; }

fail() { echo "FAILED: $*"; exit 1; }

# start_clock "2026-12-08 10:10:30" [ARGUMENTS...]: starts the clock with its clock standing
# still at that moment (the event loop's own timers run on real time), or with none at
# FAKETIME_TIMESTAMP_FILE's; sets PID, WID and X, Y, WIDTH, HEIGHT once the window shows its
# face. EXTRA_PRELOAD names one more library to preload.
start_clock() {
  local at=${1:-}
  shift || true
  env LD_PRELOAD="$FAKETIME_LIB${EXTRA_PRELOAD:+:$EXTRA_PRELOAD}" ${at:+"FAKETIME=$at"} \
    FAKETIME_DONT_FAKE_MONOTONIC=1 "$VELTO" "$@" >> "$WORK/velto.log" 2>&1 &
  PID=$!
  WID=""
  # A loaded machine (a sanitizer build, two test runs at once) can take many seconds.
  started() {
    WID=$(xdotool search --onlyvisible --name '^Velto$' 2>/dev/null | head -n 1 || true)
    [ -n "$WID" ] || ! kill -0 "$PID" 2>/dev/null
  }
  wait_for 30 started || true
  if [ -z "$WID" ]; then
    cat "$WORK/velto.log"
    kill -0 "$PID" 2> /dev/null && command -v gdb > /dev/null &&
      gdb -batch -p "$PID" -ex "thread apply all bt 20" > "$WORK/stuck.txt" 2>&1
    fail "no window appeared"
  fi
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  wait_for 10 painted || fail "the window was not drawn"
}

# painted: whether the clock's window shows more than one colour on the screen.
painted() {
  import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$WORK/painted.png" 2>/dev/null &&
    [ "$(convert "$WORK/painted.png" -format '%k' info: 2>/dev/null || echo 1)" -gt 1 ]
}

# click X Y: a left click at window coordinates. Two on one spot are kept apart by more than a
# double click's time, as they mean two clicks here.
LAST_CLICK="" LAST_CLICK_AT=0
click() {
  local now
  now=$(date +%s%N)
  if [ "$LAST_CLICK" = "$WID $1 $2" ] && [ $(((now - LAST_CLICK_AT) / 1000000)) -lt 600 ]; then
    sleep "0.$(printf '%03d' $((600 - (now - LAST_CLICK_AT) / 1000000)))"
  fi
  xdotool mousemove --window "$WID" "$1" "$2" click 1
  LAST_CLICK="$WID $1 $2" LAST_CLICK_AT=$(date +%s%N)
}

# drag_window: drags the clock by its background as a user would, about 100 pixels right and
# 50 down in two steps; sets X, Y to where it is afterwards. The window manager takes the
# move over after a moment: on a busy machine the pointer goes on moving, a pixel to and fro,
# until the window has followed it.
drag_window() {
  local from="$X,$Y"
  # The window manager moves it, once it has taken the window in and given it the focus.
  taken() {
    [[ $(xprop -id "$WID" WM_STATE 2> /dev/null) == *"window state: Normal"* ]] &&
      [ "$(xdotool getactivewindow 2> /dev/null)" = "$WID" ]
  }
  wait_for taken || true
  xdotool mousemove --window "$WID" 100 170 mousedown 1
  sleep 0.3 # a hand's pace
  xdotool mousemove_relative --sync 40 30
  sleep 0.2
  xdotool mousemove_relative --sync 60 20
  followed() {
    eval "$(xdotool getwindowgeometry --shell "$WID")"
    [ "$X,$Y" != "$from" ] && return 0
    xdotool mousemove_relative --sync -- 1 0 mousemove_relative --sync -- -1 0
    return 1
  }
  wait_for followed || true # the caller tells whether it should have moved
  xdotool mouseup 1
  local last=""
  settled() {
    eval "$(xdotool getwindowgeometry --shell "$WID")"
    [ "$X,$Y" = "$last" ] && return 0
    last="$X,$Y"
    return 1
  }
  wait_for settled || true
}

# start_openbox: a window manager (openbox), once it has started (it runs its start-up command
# last); sets OPENBOX. One that could not connect (the X server refuses connections for a
# moment while it resets after its last client left) is started again.
start_openbox() {
  ready() { [ -e "$WORK/openbox.ready" ]; }
  ready_or_gone() { ready || ! kill -0 "$OPENBOX" 2> /dev/null; }
  for _ in 1 2 3; do
    openbox --startup "touch $WORK/openbox.ready" >> "$WORK/openbox.log" 2>&1 &
    OPENBOX=$!
    wait_for ready_or_gone && ready && return 0
  done
  cat "$WORK/openbox.log"
  fail "openbox did not start"
}

# alarm_is READ-OUT COUNTDOWN MARK-MINUTE: waits until the clock's window shows that alarm.
alarm_is() { shows alarm "$@" || fail "expected alarm $*"; }

shoot() { import -window root "$WORK/$1"; }

visible_windows() { xdotool search --onlyvisible --name '^Velto$' 2>/dev/null | wc -l; }

# start_tray: a notification area (trayer, an XEmbed tray) at the bottom right of the screen.
start_tray() {
  for attempt in 1 2; do
    trayer --edge bottom --align right --widthtype request --height 28 --SetDockType true \
      --transparent false >> "$WORK/trayer.log" 2>&1 &
    TRAYER=$!
    panel() { [[ $(xwininfo -root -tree) == *'"panel": ("panel" "trayer")'* ]]; }
    # One that gave up at once (seen on a busy machine) is started again, once.
    panel_or_end() { panel || ! kill -0 "$TRAYER" 2> /dev/null; }
    wait_for 15 panel_or_end && panel && return 0
    kill "$TRAYER" 2> /dev/null || true
    echo "trayer, attempt $attempt:" && cat "$WORK/trayer.log"
  done
  fail "trayer did not start"
}

# tray_icon: sets TX, TY to the middle of the clock's icon in the tray; false while there is
# none.
tray_icon() {
  local line
  # Only windows below the panel in the tree, which are indented deeper than it.
  line=$(xwininfo -root -tree | awk '
    function depth(s) { match(s, /^ */); return RLENGTH }
    /"panel": \("panel" "trayer"\)/ { p = depth($0); next }
    p && depth($0) <= p { exit }
    p && /\("velto" "Velto"\)/ { print; exit }') || true
  [ -n "$line" ] || return 1
  # ... 22x26+0+0  +777+573: size, then the absolute position.
  local size abs
  size=$(echo "$line" | grep -oE '[0-9]+x[0-9]+\+' | head -n 1)
  abs=$(echo "$line" | grep -oE '\+[0-9]+\+[0-9]+$')
  local w=${size%%x*} h=${size#*x}; h=${h%+}
  local ax=${abs#+}; ax=${ax%%+*}; local ay=${abs##*+}
  TX=$((ax + w / 2)) TY=$((ay + h / 2))
}

# icon_in_tray: waits for the clock's icon in the tray. A trayer that ended (on a loaded
# machine it now and then dies of its X connection, "Fatal IO error 11") is started again, and
# the clock puts its icon into the new panel, as it does for a user's panel that restarts.
icon_in_tray() {
  wait_for tray_icon && return 0
  kill -0 "$TRAYER" 2> /dev/null && return 1
  echo "trayer ended ($(tail -n 1 "$WORK/trayer.log")); started again"
  start_tray
  wait_for 15 tray_icon
}

# wait_for [SECONDS] CONDITION...: retries the command until it succeeds, for up to SECONDS
# (10 unless given): generous, as a loaded machine or a sanitizer build is slow, and cheap,
# as it returns as soon as the condition holds.
wait_for() {
  local seconds=10
  if [[ $1 =~ ^[0-9]+$ ]]; then
    seconds=$1
    shift
  fi
  local now=${EPOCHREALTIME//[.,]/}
  local end=$((now + seconds * 1000000))
  # Quick at first, for what comes at once; then at most four times a second, since every
  # look forks a client of the X server and the checks run side by side on few cores.
  local pause=20
  until "$@"; do
    now=${EPOCHREALTIME//[.,]/}
    if [ "$now" -ge "$end" ]; then
      if "$@"; then return 0; else return 1; fi # once more after the last pause
    fi
    sleep "0.$(printf %03d "$pause")"
    pause=$((pause < 125 ? pause * 2 : 250))
  done
}

# ends_by_itself [SECONDS]: waits for the clock (PID) to end, then gives its status; fails
# when it runs on.
ends_by_itself() {
  wait_for "${1:-10}" eval '! kill -0 "$PID" 2> /dev/null' || return 124
  local status=0
  wait "$PID" || status=$?
  return "$status"
}

# shows CHECK...: waits for velto_screen_check to see CHECK... on the clock's window (a click
# or a key may take a moment to be drawn).
shows() {
  local check="$*"
  seen() { shoot check.png && "$CHECKER" "$WORK/check.png" "$X" "$Y" "$@" > /dev/null 2>&1; }
  wait_for seen "$@" && return 0
  shoot "failed-${check// /_}.png" # kept, with what the check saw on it
  "$CHECKER" "$WORK/failed-${check// /_}.png" "$X" "$Y" "$@" || true
  return 1
}

# other_velto_window: the id of a shown window titled Velto that is not the clock (a message
# box).
other_velto_window() {
  local id
  for id in $(xdotool search --onlyvisible --name '^Velto$' 2>/dev/null); do
    [ "$id" = "${WID:-}" ] || { echo "$id"; return 0; }
  done
  return 1
}

# menu_shown: whether the clock's tray menu is open (a pop-up of the program straight on the
# root window, which xdotool's search does not list).
menu_shown() {
  local id
  for id in $(xwininfo -root -children | awk '/\("velto" "Velto"\)/ { print $1 }'); do
    [ "$((id))" = "${WID:-0}" ] && continue
    [[ $(xwininfo -id "$id") == *IsViewable* ]] && return 0
  done
  return 1
}

# open_menu: opens the clock's tray menu with a right click on its icon. An icon just put in
# the tray may not take clicks yet: the click is made again until the menu shows.
open_menu() {
  local _
  for _ in 1 2 3 4 5; do
    icon_in_tray || fail "the icon is not in the tray"
    xdotool mousemove "$TX" "$TY" click 3
    wait_for 3 menu_shown && return 0
  done
  fail "the tray menu did not open"
}

# menu_keys 'CONDITION' KEY...: opens the tray menu and types the keys until CONDITION (a
# command line, evaluated) holds. A
# key typed in the moment between the menu showing and its taking the keyboard is lost, and a
# user would type it again; the menu is closed first if it is still open.
menu_keys() {
  local condition=$1 _
  shift
  menu_closed() { ! menu_shown; }
  for _ in 1 2 3; do
    open_menu
    xdotool key --delay 80 "$@"
    wait_for 5 eval "$condition" && return 0
    menu_shown && xdotool key Escape && wait_for 2 menu_closed
  done
  return 1
}

# icon_shot NAME: the tray icon's square, cut from a screenshot of the screen.
icon_shot() {
  tray_icon || fail "no tray icon"
  import -window root "$WORK/screen.png"
  convert "$WORK/screen.png" -crop 24x24+$((TX - 12))+$((TY - 12)) +repage "$WORK/$1"
}

# icon_look: "on" when the tray icon shows the armed look (its green ring), else "off".
icon_look() {
  icon_shot icon.png
  local green
  green=$(convert "$WORK/icon.png" -fx '(g-r>0.25)?1:0' -format '%[fx:round(mean*w*h)]' info:)
  if [ "$green" -gt 20 ]; then echo on; else echo off; fi
}

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
  answers() { pactl info > /dev/null 2>&1; }
  wait_for answers || {
    kill "$PULSE_PID" 2> /dev/null || true
    cat "$WORK/pulse.log"
    fail "the private sound server did not start"
  }
}

# start_session_bus: a session bus of our own in WORK, with no services to start on demand,
# so that only what the check starts answers on it; exports DBUS_SESSION_BUS_ADDRESS and sets
# BUS_PID (the caller ends it).
start_session_bus() {
  cat > "$WORK/bus.conf" <<EOS
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$WORK/bus</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOS
  local out
  out=$(dbus-daemon --config-file="$WORK/bus.conf" --fork --print-address=1 --print-pid=1) ||
    fail "the private session bus did not start"
  export DBUS_SESSION_BUS_ADDRESS=$(echo "$out" | head -n 1)
  BUS_PID=$(echo "$out" | sed -n 2p)
}

# ring_window: whether a ring's window is up; no_ring_window: whether none is;
# ring_window_id: the window's id.
ring_window() { xdotool search --onlyvisible --name '^Alarm' > /dev/null 2>&1; }
no_ring_window() { ! ring_window; }
ring_window_id() { xdotool search --onlyvisible --name '^Alarm' 2> /dev/null | head -n 1; }

# record NAME: records the private sound server's output into WORK/NAME.wav from now on, and
# notes when it began in REC_AT (nanoseconds); stop_recording ends it.
REC_PID=""
record() {
  parecord -d velto.monitor --file-format=wav "$WORK/$1.wav" &
  REC_PID=$! REC_AT=$(date +%s%N)
}
stop_recording() {
  [ -n "$REC_PID" ] || return 0
  kill -INT "$REC_PID"
  wait "$REC_PID" || true
  REC_PID=""
}

# sounds NAME [DBFS]: the spans of WORK/NAME.wav that sound (above DBFS, -40 unless given;
# gaps under a second bridged), a line each: start and end in seconds from the recording's
# start, the loudest quarter second's dBFS, and the span's whole energy in dB (which, unlike
# the loudest quarter, does not hang on where the quarters fall).
sounds() {
  "$(dirname "$VELTO")/tests/velto_ring_check" levels "$WORK/$1.wav" | awk -v floor="${2:--40}" '
    function say() { printf "%s %s %s %.1f\n", start, last + 0.25, peak, 10 * log(energy) / log(10) }
    $2 > floor { if (!on || $1 - last > 1) { if (on) say()
                                           on = 1; start = $1; peak = $2; energy = 0 }
               last = $1; if ($2 > peak) peak = $2; energy += 10 ^ ($2 / 10) }
    END { if (on) say() }'
}

# level NAME FROM TO: the mean dBFS of WORK/NAME.wav's quarter seconds from FROM to TO seconds.
level() {
  "$(dirname "$VELTO")/tests/velto_ring_check" levels "$WORK/$1.wav" |
    awk -v from="$2" -v to="$3" '$1 >= from && $1 < to { s += $2; n++ } END { printf "%.1f\n", s / n }'
}

# write_settings LINES...: the clock's settings file as the lines give it, before it starts.
write_settings() {
  mkdir -p "$XDG_CONFIG_HOME/velto"
  printf '%s\n' "[General]" "version=1" "$@" > "$XDG_CONFIG_HOME/velto/velto.conf"
}
