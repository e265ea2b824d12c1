# The tray icon as a StatusNotifierItem, with a notification area of the check's own (a
# StatusNotifierWatcher on a private session bus, no XEmbed tray): the item registers, says
# its title and tooltip, changes its icon with the alarm, and its menu (com.canonical.dbusmenu)
# and its activation bring the minimised window back.
command -v dbus-daemon > /dev/null || { echo "SKIP: dbus-daemon is not installed"; exit 77; }
PY=/usr/bin/python3 # the system's own, where python3-dbus is
"$PY" -c 'import dbus, gi' 2> /dev/null || { echo "SKIP: python3-dbus is not installed"; exit 77; }
HOST="$PY $(dirname "${BASH_SOURCE[0]}")/sni_host.py"
ITEMS=$WORK/items.txt
export XDG_CONFIG_HOME=$WORK/config XDG_CONFIG_DIRS=$WORK/no-config
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
start_session_bus
$HOST watch "$ITEMS" > "$WORK/host.log" 2>&1 &
HOST_PID=$!
trap 'kill $HOST_PID $BUS_PID 2> /dev/null || true' EXIT
wait_for test -e "$ITEMS.ready" || { cat "$WORK/host.log"; fail "the watcher did not start"; }

start_clock "2026-12-08 09:00:00" # standing still: an armed alarm stays armed
wait_for test -s "$ITEMS" || { cat "$WORK/velto.log"; fail "no item registered"; }
! other_velto_window || fail "a message box came up although there is a notification area"
ITEM=$(head -n 1 "$ITEMS")
prop() { $HOST get "$ITEM" "$1"; }
echo "item $ITEM: title $(prop Title), id $(prop Id), status $(prop Status)"
echo "tooltip: $(prop ToolTip)"
[ "$(prop Title)" = Velto ] || fail "the item's title is $(prop Title)"
[[ $(prop ToolTip) == "Alarm OFF |"* ]] || fail "the tooltip says $(prop ToolTip)"
off=$(prop IconPixmap)
click 27 10 # the title picture arms the alarm
changed() { [ "$(prop IconPixmap)" != "$off" ]; }
wait_for changed || fail "the item's icon did not change when the alarm was armed"
echo "icon: off $off, on $(prop IconPixmap)"
echo "tooltip: $(prop ToolTip)"
[[ $(prop ToolTip) == "Alarm ON |"* ]] || fail "the tooltip says $(prop ToolTip)"

echo "menu:"
$HOST menu "$ITEM" | tee "$WORK/menu.txt"
for entry in "Alarm OFF" "Show Velto" "About" "Start at login" "Exit"; do
  grep -q "'$entry'" <(sed 's/_//g' "$WORK/menu.txt") || fail "no \"$entry\" in the menu"
done

for way in menu activate; do
  click 358 10 # minimise
  wait_for test "$(visible_windows)" = 0 || fail "minimise did not hide the window"
  if [ "$way" = menu ]; then $HOST click "$ITEM" "Show Velto"; else $HOST activate "$ITEM"; fi
  wait_for test "$(visible_windows)" = 1 || fail "$way did not bring the window back"
done
$HOST click "$ITEM" "Alarm OFF"
back() { [ "$(prop IconPixmap)" = "$off" ]; }
wait_for back || fail "the menu's first entry did not switch the alarm off"
$HOST click "$ITEM" "Exit"
wait_for eval '! kill -0 $PID 2> /dev/null' || fail "Exit did not end the clock"
wait "$PID" || fail "the clock did not end cleanly"
echo "e2e sni ok"
