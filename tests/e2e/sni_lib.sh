# The tray icon as a StatusNotifierItem, with a notification area of the checks' own (a
# StatusNotifierWatcher, sni_host.py, on a private session bus, no XEmbed tray): the steps
# that sni.sh (X11) and wayland.sh share. Sourced after lib.sh.

SNI_PY=/usr/bin/python3 # the system's own, where python3-dbus is
HOST="$SNI_PY $(dirname "${BASH_SOURCE[0]}")/sni_host.py"

# sni_missing: what the notification area of our own needs and is not installed; nothing when
# all of it is there.
sni_missing() {
  command -v dbus-daemon > /dev/null || { echo "dbus-daemon"; return; }
  "$SNI_PY" -c 'import dbus, gi' 2> /dev/null || echo "python3-dbus"
}

# start_sni_host: the watcher, on the session bus already started; sets HOST_PID (the caller
# ends it).
start_sni_host() {
  ITEMS=$WORK/items.txt
  $HOST watch "$ITEMS" > "$WORK/host.log" 2>&1 &
  HOST_PID=$!
  wait_for test -e "$ITEMS.ready" || { cat "$WORK/host.log"; fail "the watcher did not start"; }
}

# sni_item: waits for the clock's item to register; sets ITEM.
sni_item() {
  wait_for test -s "$ITEMS" || { grep -v '^\[' "$WORK/velto.log"; fail "no item registered"; }
  ITEM=$(head -n 1 "$ITEMS")
}

sni_prop() { $HOST get "$ITEM" "$1"; }

# check_sni ARM MINIMISE SHOWN: with the clock (PID) standing still, its item's title and
# tooltip, its icon and tooltip once the alarm is armed, every entry of its menu, the
# minimised window brought back by the menu and by activation, the menu's alarm switch, and
# Exit, which ends the clock cleanly. The window is reached through commands of the caller's:
# ARM arms the alarm as a user does, MINIMISE minimises the window and waits until it is,
# SHOWN is true once the window is back from the last MINIMISE.
check_sni() {
  local arm=$1 minimise=$2 shown=$3 off way entry
  echo "item $ITEM: title $(sni_prop Title), id $(sni_prop Id), status $(sni_prop Status)"
  echo "tooltip: $(sni_prop ToolTip)"
  [ "$(sni_prop Title)" = Velto ] || fail "the item's title is $(sni_prop Title)"
  [[ $(sni_prop ToolTip) == "Alarm OFF |"* ]] || fail "the tooltip says $(sni_prop ToolTip)"
  off=$(sni_prop IconPixmap)
  "$arm"
  changed() { [ "$(sni_prop IconPixmap)" != "$off" ]; }
  wait_for changed || fail "the item's icon did not change when the alarm was armed"
  echo "icon: off $off, on $(sni_prop IconPixmap)"
  echo "tooltip: $(sni_prop ToolTip)"
  [[ $(sni_prop ToolTip) == "Alarm ON |"* ]] || fail "the tooltip says $(sni_prop ToolTip)"

  echo "menu:"
  $HOST menu "$ITEM" | tee "$WORK/menu.txt"
  for entry in "Alarm OFF" "Show Velto" "About" "Start at login" "Exit"; do
    grep -q "'$entry'" <(sed 's/_//g' "$WORK/menu.txt") || fail "no \"$entry\" in the menu"
  done

  for way in menu activate; do
    "$minimise"
    if [ "$way" = menu ]; then $HOST click "$ITEM" "Show Velto"; else $HOST activate "$ITEM"; fi
    wait_for "$shown" || fail "$way did not bring the window back"
  done
  $HOST click "$ITEM" "Alarm OFF"
  switched_off() { [ "$(sni_prop IconPixmap)" = "$off" ]; }
  wait_for switched_off || fail "the menu's first entry did not switch the alarm off"
  $HOST click "$ITEM" "Exit"
  wait_for eval '! kill -0 $PID 2> /dev/null' || fail "Exit did not end the clock"
  wait "$PID" || fail "the clock did not end cleanly"
}
