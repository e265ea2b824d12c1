#!/usr/bin/env bash
# What the clock costs the machine, side by side with a bare Qt window that repaints once a
# second: resident memory, CPU time and wake-ups (voluntary context switches) of all threads
# over a window of seconds, shown and hidden, and the time from start to a visible window.
#   bench/footprint.sh build-folder [seconds]
set -euo pipefail
build=$1
seconds=${2:-20}
velto=$build/velto
bare=$build/bench/velto_bare_window
for p in "$velto" "$bare"; do [ -x "$p" ] || { echo "missing $p (build first)"; exit 1; }; done
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (make setup)"; exit 1; }

if [ -z "${FOOTPRINT_INNER:-}" ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -m 700 "$work/runtime"
  export XDG_RUNTIME_DIR=$work/runtime FOOTPRINT_INNER=1
  exec xvfb-run -a -n 131 -s "-screen 0 800x600x24" bash "$0" "$@"
fi

# A notification area, as on a desktop: without one the clock would put up its message.
if command -v trayer > /dev/null; then
  trayer --edge bottom --align right --widthtype request --height 28 --SetDockType true \
    --transparent false > /dev/null 2>&1 &
  sleep 1
fi

# Sum over all threads of the process.
wakeups() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {s += $2} END {print s + 0}'; }
# CPU time in nanoseconds, from the scheduler's own accounting (finer than clock ticks).
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d", s}'; }
rss_kib() { awk '/^VmRSS/ {print $2}' /proc/"$1"/status; }
now_ms() { date +%s%3N; }

# measure NAME PROGRAM TITLE HIDE-COMMAND: prints "name start_ms rss shown_cpu shown_wake hidden_cpu hidden_wake"
measure() {
  local name=$1 program=$2 title=$3 hide=$4
  local t0 t1 pid wid
  t0=$(now_ms)
  "$program" > /dev/null 2>&1 &
  pid=$!
  wid=""
  while [ -z "$wid" ]; do
    wid=$(xdotool search --onlyvisible --pid "$pid" --name "^$title\$" 2>/dev/null | head -n 1 || true)
    [ -n "$wid" ] || sleep 0.005
  done
  t1=$(now_ms)
  sleep 3 # settle: start-up work is not what we measure
  local c0 w0 c1 w1 c1h w1h c2 w2
  c0=$(cpu_ns "$pid"); w0=$(wakeups "$pid")
  sleep "$seconds"
  c1=$(cpu_ns "$pid"); w1=$(wakeups "$pid")
  local rss
  rss=$(rss_kib "$pid")
  eval "$hide"
  sleep 2
  c1h=$(cpu_ns "$pid"); w1h=$(wakeups "$pid")
  sleep "$seconds"
  c2=$(cpu_ns "$pid"); w2=$(wakeups "$pid")
  kill "$pid"; wait "$pid" 2>/dev/null || true
  awk -v n="$name" -v st=$((t1 - t0)) -v rss="$rss" -v s="$seconds" \
      -v cs=$((c1 - c0)) -v ws=$((w1 - w0)) -v ch=$((c2 - c1h)) -v wh=$((w2 - w1h)) \
      'BEGIN { printf "%s %d %d %.3f %.2f %.3f %.2f\n", n, st, rss, cs / 1e6 / s, ws / s, ch / 1e6 / s, wh / s }'
}

bare_line=$(measure bare "$bare" Bare 'xdotool windowunmap "$wid"')
velto_line=$(measure velto "$velto" Velto 'xdotool mousemove --window "$wid" 358 10 click 1')

printf '%-8s %10s %10s %14s %12s %14s %12s\n' "" "start ms" "RSS KiB" "CPU ms/s shown" "wakes/s shown" "CPU ms/s hidden" "wakes/s hidden"
for l in "$bare_line" "$velto_line"; do
  set -- $l
  printf '%-8s %10s %10s %14s %12s %14s %12s\n' "$1" "$2" "$3" "$4" "$5" "$6" "$7"
done
set -- $bare_line; b=("$@")
set -- $velto_line; v=("$@")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
printf '%-8s %10s %10s %14s %12s %14s %12s\n' "ratio" "$(ratio "${v[1]}" "${b[1]}")" \
  "$(ratio "${v[2]}" "${b[2]}")" "$(ratio "${v[3]}" "${b[3]}")" "$(ratio "${v[4]}" "${b[4]}")" \
  "$(ratio "${v[5]}" "${b[5]}")" "$(ratio "${v[6]}" "${b[6]}")"
