#!/usr/bin/env bash
# The real program under Xvfb at a chosen time of day: one borderless 385x195 window whose
# read-outs show that time, and a second start that ends at once without a second window.
#   run_window.sh path/to/velto work-folder
set -euo pipefail
velto=$1
work=$2
checker=$(dirname "$velto")/tests/velto_screen_check
rm -rf "$work" && mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime   # our own lock, whatever else runs on this machine

faketime_lib=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1 || true)
if [ -z "$faketime_lib" ]; then echo "libfaketime is not installed"; exit 1; fi

cat > "$work/inside.sh" <<INNER
set -euo pipefail
# The clock stands still at 10:10:30; the event loop's own timers run on real time.
LD_PRELOAD=$faketime_lib FAKETIME="2026-12-08 10:10:30" FAKETIME_DONT_FAKE_MONOTONIC=1 \
  "$velto" > "$work/first.log" 2>&1 &
first=\$!
wid=""
for _ in \$(seq 50); do
  wid=\$(xdotool search --onlyvisible --name '^Velto\$' 2>/dev/null | head -n 1 || true)
  [ -n "\$wid" ] && break
  sleep 0.1
done
[ -n "\$wid" ] || { echo "no window appeared"; cat "$work/first.log"; exit 1; }
sleep 1.5   # the first tick
eval "\$(xdotool getwindowgeometry --shell "\$wid")"
echo "window \$wid at \$X,\$Y size \${WIDTH}x\${HEIGHT}"
[ "\$WIDTH" = 385 ] && [ "\$HEIGHT" = 195 ] || { echo "wrong size"; exit 1; }
xprop -id "\$wid" _MOTIF_WM_HINTS | tee "$work/hints.txt"
# Decorations off: the third field of the Motif hints is 0.
grep -Eq '= 0x[0-9a-f]+, 0x[0-9a-f]+, 0x0' "$work/hints.txt" || { echo "window has a border"; exit 1; }
import -window root "$work/shot.png"
"$checker" "$work/shot.png" "\$X" "\$Y" 10:10 30

start=\$(date +%s%N)
timeout 5 "$velto" > "$work/second.log" 2>&1 || { echo "second start failed: \$?"; exit 1; }
took=\$(( (\$(date +%s%N) - start) / 1000000 ))
echo "second start ended after \$took ms"
[ "\$took" -lt 2000 ] || { echo "second start took too long"; exit 1; }
count=\$(xdotool search --onlyvisible --name '^Velto\$' | wc -l)
[ "\$count" = 1 ] || { echo "\$count windows"; exit 1; }
kill -0 \$first || { echo "the first clock is gone"; exit 1; }
kill \$first
echo "e2e ok"
INNER
xvfb-run -a -s "-screen 0 800x600x24" bash "$work/inside.sh"
