#!/usr/bin/env bash
# Takes a picture of the real clock under Xvfb at a chosen time of day.
#   scripts/screenshot.sh [build/velto] [out.png] ["2026-12-08 10:10:30"] [scale]
set -euo pipefail
velto=${1:-build/velto}
out=${2:-docs/velto.png}
when=${3:-2026-12-08 10:10:30}
scale=${4:-100}
lib=$(ls /usr/lib/*/faketime/libfaketime.so.1 | head -n 1)
tmp=$(mktemp -d)
mkdir -m 700 "$tmp/runtime"
cat > "$tmp/inside.sh" <<INNER
XDG_RUNTIME_DIR=$tmp/runtime LD_PRELOAD=$lib FAKETIME="$when" FAKETIME_DONT_FAKE_MONOTONIC=1 \
  "$velto" >/dev/null 2>&1 &
pid=\$!
sleep 2.5
wid=\$(xdotool search --onlyvisible --name '^Velto\$' | head -n 1)
eval "\$(xdotool getwindowgeometry --shell "\$wid")"
import -window root -crop "\${WIDTH}x\${HEIGHT}+\${X}+\${Y}" +repage "$tmp/shot.png"
kill \$pid
INNER
xvfb-run -a -s "-screen 0 800x600x24" bash "$tmp/inside.sh"
convert "$tmp/shot.png" -scale "${scale}%" "$out"
rm -rf "$tmp"
echo "wrote $out"
