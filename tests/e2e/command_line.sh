#!/usr/bin/env bash
# The command line with no display at all: --help and --version print and end with 0, a
# mistake says so and ends with 2, Qt's own options pass, and a plain start still says that
# there is no display.
#   command_line.sh path/to/velto version work-folder
set -euo pipefail
VELTO=$1 VERSION=$2 WORK=$3
rm -rf "$WORK" && mkdir -p "$WORK"
export XDG_CONFIG_HOME=$WORK/config # never the user's own settings
export XDG_DATA_HOME=$WORK/data # nor their punch log
fail() { echo "FAILED: $*"; exit 1; }

# run EXPECTED-STATUS ARGS...: runs velto without any display; its output is in out and err.
run() {
  local expected=$1 status=0
  shift
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$VELTO" "$@" \
    > "$WORK/out" 2> "$WORK/err" || status=$?
  [ "$status" = "$expected" ] || { cat "$WORK/out" "$WORK/err"; fail "velto $*: status $status"; }
}

run 0 --help
grep -q '^Usage: velto \[options\]' "$WORK/out" || fail "--help: no usage line"
grep -q -- '--version' "$WORK/out" || fail "--help: --version not listed"
[ ! -s "$WORK/err" ] || fail "--help wrote to standard error"
run 0 -h
run 0 --help-all
grep -q -- '-platform <name>' "$WORK/out" || fail "--help-all does not list Qt's options"
! grep -q -- '-platform' <(env -u DISPLAY "$VELTO" --help) || fail "--help lists Qt's options"

run 0 --version
[ "$(cat "$WORK/out")" = "velto $VERSION" ] || fail "--version says '$(cat "$WORK/out")'"
run 0 -platform offscreen --version # Qt's options are not mistakes

for wrong in --bogus -x; do
  run 2 "$wrong"
  grep -q "^velto: Unknown option '${wrong##*-}'" "$WORK/err" || fail "$wrong: $(cat "$WORK/err")"
  grep -q -- "velto --help" "$WORK/err" || fail "$wrong: no hint"
  [ ! -s "$WORK/out" ] || fail "$wrong wrote to standard output"
done
run 2 stray
grep -q "unexpected argument 'stray'" "$WORK/err" || fail "stray: $(cat "$WORK/err")"

run 1
grep -q "no display found" "$WORK/err" || fail "a plain start: $(cat "$WORK/err")"
echo "command line ok"
