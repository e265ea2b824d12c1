#!/usr/bin/env bash
# Runs one end-to-end check in its own X server.
#   run_xvfb.sh [--needs "tool..."] check.sh path/to/velto work-folder
# A check run by itself starts with this line, which runs it again in here (where CHECKER is
# set), or gives 77 when a tool it needs is missing:
#   [ -n "${CHECKER:-}" ] || exec bash "$(dirname "$0")/../e2e/run_xvfb.sh" --needs "tool..." \
#     ../hostile/check.sh "$@"
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ "$1" = --needs ]; then
  for tool in xvfb-run xdotool $2; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  shift 2
fi
export VELTO=$2 WORK=$3
export CHECKER=$(dirname "$VELTO")/tests/velto_screen_check
rm -rf "$WORK" && mkdir -p "$WORK/runtime" && chmod 700 "$WORK/runtime"
export XDG_RUNTIME_DIR=$WORK/runtime # our own lock, whatever else runs on this machine
# Our own settings and autostart folder: one check's choices must not carry into another's,
# nor into the user's own.
export XDG_CONFIG_HOME=$WORK/config
# Each check starts its search for a free display number elsewhere, so one check's server
# that is still going away cannot be mistaken for the next one's.
case $1 in
  window.sh) first=71 ;;
  buttons.sh) first=81 ;;
  ring.sh) first=101 ;;
  alarm.sh) first=121 ;;
  keys.sh) first=131 ;;
  tray.sh) first=111 ;;
  notray.sh) first=115 ;;
  install.sh) first=119 ;;
  scale.sh) first=135 ;;
  notify.sh) first=155 ;;
  lang.sh) first=185 ;;
  access.sh) first=161 ;;
  sni.sh) first=165 ;;
  */limits.sh) first=141 ;;
  */lock_files.sh) first=145 ;;
  */show_flood.sh) first=171 ;;
  */sound_restart.sh) first=175 ;;
  */sound_file.sh) first=191 ;;
  */random_input.sh) first=201 ;;
  */hung_tray.sh) first=211 ;;
  */silent_bus.sh) first=215 ;;
  countdown.sh) first=221 ;;
  *) first=91 ;;
esac
# The check starts once the server answers: on a busy machine it may still be coming up.
xvfb-run -a -n "$first" -e "$WORK/xvfb.log" -s "-screen 0 800x600x24" \
  bash -c "for _ in \$(seq 100); do xdpyinfo > /dev/null 2>&1 && break; sleep 0.05; done
           source '$here/lib.sh'; source '$here/$1'" || {
  status=$?
  [ "$status" = 77 ] && exit 77 # the check found it cannot run here and said why
  cat "$WORK/xvfb.log"
  exit 1
}
