# Scripts and the desktop drive the running clock: the command line through the instance's
# channel, and real D-Bus clients on a session bus of the check's own. Each command does what
# the same action on the window does, bad values change nothing, a flood leaves the clock
# answering, and --quit ends it as the window's Exit does.
command -v dbus-daemon > /dev/null || { echo "SKIP: dbus-daemon is not installed"; exit 77; }
command -v gdbus > /dev/null || { echo "SKIP: gdbus is not installed"; exit 77; }
start_session_bus
trap 'kill ${PID:-} $BUS_PID 2> /dev/null || true' EXIT
export TZ=Europe/Berlin
CONF=$XDG_CONFIG_HOME/velto/velto.conf

# expect STATUS ARGUMENTS...: velto as a script runs it; what it said is in out and err.
expect() {
  local want=$1 status=0
  shift
  timeout 10 "$VELTO" "$@" > "$WORK/out" 2> "$WORK/err" || status=$?
  [ "$status" = "$want" ] || { cat "$WORK/out" "$WORK/err"; fail "velto $*: status $status, not $want"; }
}
# state PYTHON-CONDITION: the running clock's --status --json, as `s`, meets the condition.
state() {
  expect 0 --status --json
  python3 -m json.tool "$WORK/out" > /dev/null || fail "--status --json is no JSON: $(cat "$WORK/out")"
  python3 -c "import json,sys; s=json.load(open(sys.argv[1])); sys.exit(0 if ($1) else 1)" \
    "$WORK/out" || fail "the state is not ($1): $(cat "$WORK/out")"
}
BUS=(--session --dest io.github.velto_clock.Velto --object-path /io/github/velto_clock/Velto)
call() { gdbus call "${BUS[@]}" --method "io.github.velto_clock.Velto1.$@"; }
property() {
  gdbus call "${BUS[@]}" --method org.freedesktop.DBus.Properties.Get io.github.velto_clock.Velto1 "$1"
}

# No clock yet: nothing to ask, nothing to switch off.
expect 3 --status
grep -q "no clock is running" "$WORK/err" || fail "--status without a clock: $(cat "$WORK/err")"
expect 3 --status --json
[ "$(cat "$WORK/out")" = '{"running":false}' ] || fail "--status --json without a clock: $(cat "$WORK/out")"
expect 0 --off
expect 3 --quit
expect 3 --waybar

# --in with no clock starts one with the countdown set.
start_clock "@2026-12-08 23:50:00" --in 5
alarm_is 23:55 05 5
expect 0 --in 25 --label "Grüner Tee"
alarm_is 00:15 25 25
wait_for grep -q "kind=countdown" "$CONF" || fail "the settings file does not keep the countdown"
state 's["alarm"]["label"]=="Grüner Tee"'
grep -q 'label="Grüner Tee"' "$CONF" || fail "the settings file does not keep the label"
expect 0 --at 07:00 # at ten to midnight: tomorrow's
alarm_is 07:00 60 60
state 's["alarm"]=={"armed":True,"kind":"time","at":"2026-12-09T07:00:00+01:00","minutes_left":s["alarm"]["minutes_left"],"ringing":False,"snoozed":False,"label":None} and 425<=s["alarm"]["minutes_left"]<=430 and s["time"].startswith("2026-12-08T23:5") and s["announcer"]["interval"]==15 and s["punch"]=={"in":False,"since":None,"minutes":None} and s["version"]==1'
expect 0 --waybar
python3 -c 'import json,sys; l=json.load(sys.stdin); assert l["text"]=="07:00" and l["class"]=="time" and "Punch" in l["tooltip"]' < "$WORK/out" ||
  fail "--waybar: $(cat "$WORK/out")"

# Bad values: said, status 2, and the clock untouched.
# clock_state: the state without the time, which runs on.
clock_state() {
  expect 0 --status --json
  python3 -c 'import json,sys; s=json.load(sys.stdin); del s["time"]; print(json.dumps(s, sort_keys=True))' < "$WORK/out"
}
before=$(clock_state)
for bad in "--in 0" "--in -3" "--in 1441" "--in abc" "--at 25:00" "--at 7" "--punch sideways" \
  "--announce 7" "--in 5 --off"; do
  expect 2 $bad
  value=${bad##* }
  grep -q -- "$value" "$WORK/err" || fail "velto $bad does not name what is wrong: $(cat "$WORK/err")"
done
[ "$(clock_state)" = "$before" ] || fail "a bad command changed the clock: $(clock_state)"

# The same commands on the session bus, by real clients; a bad value is an error that names it.
call SetCountdown 25 > /dev/null || fail "SetCountdown"
[ "$(property AlarmKind)" = "(<'countdown'>,)" ] || fail "AlarmKind $(property AlarmKind)"
[ "$(property MinutesLeft)" = "(<uint32 25>,)" ] || fail "MinutesLeft $(property MinutesLeft)"
call SetAlarm 07:00 > /dev/null && [ "$(property AlarmKind)" = "(<'time'>,)" ] || fail "SetAlarm"
call Punch in > /dev/null && [ "$(property PunchedIn)" = "(<true>,)" ] || fail "Punch in"
[ "$(property PunchMinutes)" = "(<uint32 0>,)" ] || fail "PunchMinutes $(property PunchMinutes)"
property PunchedInSince | grep -q "int64 1796" || fail "PunchedInSince $(property PunchedInSince)"
call SetAnnouncer 30 > /dev/null && [ "$(property AnnounceInterval)" = "(<uint32 30>,)" ] || fail "SetAnnouncer"
call AlarmOff > /dev/null && [ "$(property Armed)" = "(<false>,)" ] || fail "AlarmOff"
[ "$(property AlarmAt)" = "(<int64 0>,)" ] || fail "AlarmAt $(property AlarmAt)"
call Show > /dev/null || fail "Show"
call SetCountdown 0 2> "$WORK/err" && fail "SetCountdown 0 was taken"
grep -q "Velto1.Error.InvalidArgs: .*'0'" "$WORK/err" || fail "SetCountdown 0: $(cat "$WORK/err")"
dbus-send --session --print-reply --dest=io.github.velto_clock.Velto /io/github/velto_clock/Velto \
  io.github.velto_clock.Velto1.SetCountdown string:abc > "$WORK/out" 2>&1 && fail "a string was taken for minutes"
echo "a string for minutes: $(cat "$WORK/out")"
state 's["alarm"]["armed"]==False and s["punch"]["in"] and s["announcer"]["interval"]==30'

# A flood from the same user: ten thousand commands, good, bad and cut, as fast as they go.
python3 - "$XDG_RUNTIME_DIR/velto-$(id -un).socket" <<'PY'
import socket, sys
s = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
messages = [b"do announce 20\n", b"do in 0\n", b"do \xff\xfe\n", b"do status\n", b"do" + b"x" * 600,
            b"do punch sideways\n", b"show\n", b"do announce 7\n"]
sent = 0
for i in range(10000):
    while True:
        try:
            s.sendto(messages[i % len(messages)], sys.argv[1])
            sent += 1
            break
        except BlockingIOError:
            pass
        except OSError:  # a full queue: the clock reads as fast as it can
            pass
print("flooded with", sent)
PY
state 's["announcer"]["interval"]==20 and s["alarm"]["armed"]==False and s["punch"]["in"]'

# --quit ends the clock as Exit does: status 0, the lock and the socket gone.
expect 0 --quit
ends_by_itself || fail "--quit: the clock ended with status $?"
PID=""
[ -z "$(ls "$XDG_RUNTIME_DIR" | grep velto)" ] || fail "left behind: $(ls "$XDG_RUNTIME_DIR")"
# And so does Quit on the bus.
start_clock "" --announce off
state 's["announcer"]["interval"]==0'
call Quit > /dev/null || fail "Quit"
ends_by_itself || fail "Quit: the clock ended with status $?"
PID=""
echo "e2e commands ok"
