#!/usr/bin/env bash
# A lock file that names no running clock (empty, garbage, a link to nowhere, a folder in its
# place) never keeps the clock from starting: it starts with its window and says what it
# found. A running clock that holds the lock but does not answer is named, status 1.
[ -n "${CHECKER:-}" ] || exec bash "$(dirname "$0")/../e2e/run_xvfb.sh" ../hostile/lock_files.sh "$@"

lock=$XDG_RUNTIME_DIR/velto-$(id -un).lock
for kind in empty garbage dangling folder; do
  rm -rf "$lock"
  case $kind in
    empty) : > "$lock" ;;
    garbage) head -c 200 /dev/urandom > "$lock" ;;
    dangling) ln -s "$WORK/nowhere" "$lock" ;;
    folder) mkdir "$lock" ;;
  esac
  : > "$WORK/velto.log"
  start_clock "@2026-12-08 10:00:00" # fails when no window comes
  case $kind in
    folder) said="single-instance is off: $lock is in the way" ;;
    *) said="replaced $lock, which named no running clock" ;;
  esac
  grep -qF "velto: $said" "$WORK/velto.log" || { cat "$WORK/velto.log"; fail "$kind: not said"; }
  kill "$PID"
  wait "$PID" || fail "$kind: the clock did not end cleanly"
  echo "ok   $kind lock file: $(head -n 1 "$WORK/velto.log")"
done

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
