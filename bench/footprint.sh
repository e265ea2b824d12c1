#!/usr/bin/env bash
# What the clock costs the machine, side by side with a bare Qt window that repaints once a
# second: resident memory, CPU time and wake-ups (voluntary context switches) of all threads
# over a window of seconds, shown and hidden, and the time from start to a painted window
# (the median of several starts of each, taken in turns).
# Hidden, the clock wakes only for what is due (a minute apart at most), so the hidden window
# lasts a minute at least.
#   bench/footprint.sh build-folder [seconds] [starts] [hidden-seconds]
set -euo pipefail
build=$1
seconds=${2:-20}
starts=${3:-15}
hidden_seconds=${4:-$((seconds > 60 ? seconds : 60))}
velto=$build/velto
bare=$build/bench/velto_bare_window
timer=$build/bench/velto_start_timer
for p in "$velto" "$bare" "$timer"; do [ -x "$p" ] || { echo "missing $p (build first)"; exit 1; }; done
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (make setup)"; exit 1; }

if [ -z "${FOOTPRINT_INNER:-}" ]; then
  # The runtime folder lives in memory, as a desktop session's does (/run/user/<uid>): on
  # a disk, claiming the single-instance lock would wait for the disk each start.
  work=$(mktemp -d -p /dev/shm 2> /dev/null || mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -m 700 "$work/runtime"
  export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config FOOTPRINT_INNER=1
  export XDG_DATA_HOME=$work/data # a user of its own: no punch log yet
  # A sound server of its own, as a desktop has (without one the clock looks for it again
  # each second): a null sink, never the user's own server.
  if command -v pulseaudio > /dev/null; then
    mkdir -p "$work/pulse/home"
    env -u DISPLAY -u DBUS_SESSION_BUS_ADDRESS HOME="$work/pulse/home" \
      XDG_CONFIG_HOME="$work/pulse/home" PULSE_RUNTIME_PATH="$work/pulse/run" \
      PULSE_STATE_PATH="$work/pulse/state" pulseaudio -n --daemonize=no --exit-idle-time=-1 \
      --use-pid-file=no -L "module-null-sink sink_name=out" \
      -L "module-native-protocol-unix auth-anonymous=1 socket=$work/pulse/native" \
      > /dev/null 2>&1 &
    trap 'kill $! 2> /dev/null || true; rm -rf "$work"' EXIT
    export PULSE_SERVER=unix:$work/pulse/native
    for _ in $(seq 50); do pactl info > /dev/null 2>&1 && break; sleep 0.1; done
  fi
  # And a session bus of its own, as a desktop has: without one each program would look for
  # one to start at its first use of the bus.
  bus=()
  ! command -v dbus-run-session > /dev/null || bus=(dbus-run-session --)
  exec "${bus[@]}" xvfb-run -a -n 131 -s "-screen 0 800x600x24" bash "$0" "$@" 2> >(grep -v 'fd limit' >&2)
fi

# The pointer waits at the right edge, away from the windows (they map at the top left with no
# window manager) and the tray: resting on a window, it would bring up a tooltip.
xdotool mousemove 799 300

# A notification area, as on a desktop: without one the clock would put up its message.
if command -v trayer > /dev/null; then
  trayer --edge bottom --align right --widthtype request --height 28 --SetDockType true \
    --transparent false > /dev/null 2>&1 &
  sleep 1
fi

# CPU time and wake-ups (voluntary context switches) of all threads over a window of
# seconds, sampled four times a second and kept per thread, so that a thread that ends within
# the window still counts up to its last sample and one that starts in it counts whole.
# Prints "cpu_ns wakeups": the CPU time is the median of the window's single seconds, since
# a virtual machine now and then charges a second with time that is not the program's own;
# the wake-ups are those of the whole window.
snap_threads() {
  local t ns rest
  for t in /proc/"$1"/task/*; do
    read -r ns rest < "$t/schedstat" 2> /dev/null || continue
    echo "$2 ${t##*/} $ns $(awk '/^voluntary_ctxt_switches/ {print $2}' "$t/status" 2> /dev/null)"
  done
}
window() {
  local pid=$1 samples=$(($2 * 4)) log
  log=$(mktemp)
  for i in $(seq 0 "$samples"); do
    [ "$i" = 0 ] || sleep 0.25
    snap_threads "$pid" "$i" >> "$log"
  done
  awk -v last="$samples" '
    function total(  t, sum) { sum = 0; for (t in c) sum += c[t] - c0[t]; return sum }
    $1 != prev && NR > 1 && prev % 4 == 0 { cpu[prev] = total() }
    { if (!($2 in c0)) { c0[$2] = $3; w0[$2] = $4 }; c[$2] = $3; w[$2] = $4; prev = $1 }
    END {
      cpu[prev] = total()
      for (t in w) ws += w[t] - w0[t]
      n = 0
      for (i = 4; i <= last; i += 4) d[++n] = cpu[i] - cpu[i - 4]
      # median of the per-second figures
      for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (d[j] < d[i]) { x = d[i]; d[i] = d[j]; d[j] = x }
      printf "%d %d\n", d[int((n + 1) / 2)], ws
    }' "$log"
  rm -f "$log"
}
rss_kib() { awk '/^VmRSS/ {print $2}' /proc/"$1"/status; }
# Private memory: the resident pages no other process could share (heap, stacks, anonymous
# mappings).
private_kib() { awk '/^RssAnon/ {print $2}' /proc/"$1"/status; }
sound_loaded() { grep -q velto_sound "/proc/$1/maps"; }

# Start to the window's first paint, in milliseconds, as the X server reports it: the median of
# $starts starts of each program, taken in turns so that both see the same machine.
start_times() {
  local b=() v=()
  for _ in $(seq "$starts"); do
    b+=("$("$timer" Bare "$bare")")
    v+=("$("$timer" Velto "$velto" 2> /dev/null)")
  done
  median() { printf '%s\n' "$@" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
  echo "$(median "${b[@]}") $(median "${v[@]}")"
}

# measure NAME PROGRAM TITLE HIDE-COMMAND START-MS [RING-COMMAND]: prints "name start_ms rss
# private shown_cpu shown_wake hidden_cpu hidden_wake rss_ringing". The clock loads its sound only
# when a ring comes near: RING-COMMAND sets one, and the last figure is the resident memory
# with the sound loaded (the first, without; a star when a ring came near by itself).
measure() {
  local name=$1 program=$2 title=$3 hide=$4 start_ms=$5 ring=${6:-}
  local pid wid loaded="" rss_ringing
  "$program" > /dev/null 2>&1 &
  pid=$!
  wid=""
  while [ -z "$wid" ]; do
    wid=$(xdotool search --onlyvisible --pid "$pid" --name "^$title\$" 2>/dev/null | head -n 1 || true)
    [ -n "$wid" ] || sleep 0.005
  done
  sleep 3 # settle: start-up work is not what we measure
  local shown hidden rss private
  shown=$(window "$pid" "$seconds")
  rss=$(rss_kib "$pid")
  private=$(private_kib "$pid")
  ! sound_loaded "$pid" || loaded="*"
  eval "$hide"
  sleep 2
  hidden=$(window "$pid" "$hidden_seconds")
  rss_ringing=$rss
  if [ -n "$ring" ]; then
    eval "$ring"
    for _ in $(seq 50); do sound_loaded "$pid" && break; sleep 0.1; done
    sleep 1
    rss_ringing=$(rss_kib "$pid")
  fi
  kill "$pid"; wait "$pid" 2>/dev/null || true
  set -- $shown $hidden
  awk -v n="$name" -v st="$start_ms" -v rss="$rss" -v p="$private" -v s="$seconds" -v l="$loaded" \
      -v h="$hidden_seconds" -v cs="$1" -v ws="$2" -v ch="$3" -v wh="$4" -v rr="$rss_ringing" \
      'BEGIN { printf "%s %.1f %d%s %d %.3f %.2f %.3f %.3f %d\n", n, st, rss, l, p, cs / 1e6, ws / s, ch / 1e6, wh / h, rr }'
}

read -r bare_start velto_start <<< "$(start_times)"
bare_line=$(measure bare "$bare" Bare 'xdotool windowunmap "$wid"' "$bare_start")
velto_line=$(measure velto "$velto" Velto 'xdotool mousemove --window "$wid" 358 10 click 1' \
  "$velto_start" '"$program" --in 1 > /dev/null 2>&1')

row() { printf '%-8s %10s %10s %11s %14s %12s %14s %12s %14s\n' "$@"; }
row "" "start ms" "RSS KiB" "private KiB" "CPU ms/s shown" "wakes/s shown" "CPU ms/s hidden" \
  "wakes/s hidden" "RSS with sound"
row $bare_line
row $velto_line
set -- $bare_line; b=("$@")
set -- $velto_line; v=("$@")
ratio() { awk -v a="${1%\*}" -v b="${2%\*}" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
ratios=()
for i in 1 2 3 4 5 6 7 8; do ratios+=("$(ratio "${v[$i]}" "${b[$i]}")"); done
row "ratio" "${ratios[@]}"
[ "${v[2]%\*}" = "${v[2]}" ] || echo "* a ring came near by itself: the clock had loaded its sound"
