#!/usr/bin/env bash
# A display that is not there, or none at all: the program says so and ends with status 1
# (never Qt's abort with a core dump).
set -u
velto=$1
fail=0
check() {
  local what=$1; shift
  out=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" timeout 20 "$velto" 2>&1)
  rc=$?
  if [ "$rc" -ne 1 ] || ! grep -q "^velto: .*display" <<<"$out"; then
    echo "FAIL $what: status $rc, said: $out"; fail=1
  else
    echo "ok   $what: $out"
  fi
}
check "dead X server" DISPLAY=:97
check "no display" -u DISPLAY
exit $fail
