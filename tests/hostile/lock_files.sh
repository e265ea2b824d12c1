#!/usr/bin/env bash
# Whatever is found where a lock goes, the clock starts at once with its window and ends at
# SIGTERM: a single-instance lock that no running clock holds (empty, garbage, a link to
# nowhere, a FIFO, a folder) and a settings lock that is a FIFO or a folder. What is no lock file is said. A running clock that holds the lock but does
# not answer is named, status 1.
[ -n "${CHECKER:-}" ] || exec bash "$(dirname "$0")/../e2e/run_xvfb.sh" ../hostile/lock_files.sh "$@"

lock=$XDG_RUNTIME_DIR/velto-$(id -un).lock
settings_lock=$XDG_CONFIG_HOME/velto/velto.conf.lock
for kind in empty garbage dangling fifo folder settings-fifo settings-folder; do
  rm -rf "$lock" "$settings_lock"
  mkdir -p "$(dirname "$settings_lock")"
  said=""
  case $kind in
    empty) : > "$lock" ;;
    garbage) head -c 200 /dev/urandom > "$lock" ;;
    dangling) ln -s "$WORK/nowhere" "$lock"; said="replaced $lock, which was a symbolic link" ;;
    fifo) mkfifo "$lock"; said="replaced $lock, which was a FIFO" ;;
    folder) mkdir "$lock"; said="$lock is a folder, which serves as the lock" ;;
    settings-fifo) mkfifo "$settings_lock"; said="$settings_lock is in the way of the settings' lock" ;;
    settings-folder) mkdir "$settings_lock" ;;
  esac
  : > "$WORK/velto.log"
  start_clock "@2026-12-08 10:00:00" # fails when no window comes
  [ -z "$said" ] || grep -qF "velto: $said" "$WORK/velto.log" ||
    { cat "$WORK/velto.log"; fail "$kind: not said"; }
  [ -f "$XDG_CONFIG_HOME/velto/velto.conf" ] || fail "$kind: the settings were not written"
  kill "$PID"
  wait "$PID" || fail "$kind: the clock did not end cleanly"
  echo "ok   $kind: $(head -n 1 "$WORK/velto.log")"
done
rm -rf "$settings_lock"

# A clock that is starting holds the lock before it writes it, and does not listen yet; one
# that never listens is named, and the start ends with status 1, not as if it had been heard.
rm -rf "$lock"
: > "$lock"
exec {held}< "$lock"
flock -n "$held" || fail "cannot hold the lock file"
status=0
out=$("$VELTO" 2>&1) || status=$?
exec {held}<&-
[ "$status" = 1 ] || fail "a silent holder: status $status, said: $out"
grep -q "velto: another clock holds $lock but does not answer" <<< "$out" ||
  fail "a silent holder was not named: $out"
[ -z "$(xdotool search --onlyvisible --name '^Velto$' 2> /dev/null)" ] ||
  fail "a silent holder: a second window came"
echo "ok   held, silent: $out"
echo "hostile lock files ok"
