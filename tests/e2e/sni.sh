# The tray icon as a StatusNotifierItem under X11, with a notification area of the check's own
# (see sni_lib.sh): the item registers, says its title and tooltip, changes its icon with the
# alarm, and its menu (com.canonical.dbusmenu) and its activation bring the minimised window
# back.
source "$(dirname "${BASH_SOURCE[0]}")/sni_lib.sh"
missing=$(sni_missing)
[ -z "$missing" ] || { echo "SKIP: $missing is not installed"; exit 77; }
export XDG_CONFIG_HOME=$WORK/config XDG_CONFIG_DIRS=$WORK/no-config
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
start_session_bus
start_sni_host
trap 'kill $HOST_PID $BUS_PID 2> /dev/null || true' EXIT

start_clock "2026-12-08 09:00:00" # standing still: an armed alarm stays armed
sni_item
! other_velto_window || fail "a message box came up although there is a notification area"

arm() { click 27 10; } # the title picture
minimise() {
  click 358 10
  wait_for test "$(visible_windows)" = 0 || fail "minimise did not hide the window"
}
shown() { [ "$(visible_windows)" = 1 ]; }
check_sni arm minimise shown

# Under a German desktop the item speaks German: its tooltip and every entry of its menu, as
# the real program gives them.
unset LC_ALL LC_MESSAGES LANGUAGE
before=$(wc -l < "$ITEMS")
LANG=de_DE.UTF-8 start_clock "2026-12-08 09:00:00"
wait_for test "$(wc -l < "$ITEMS")" -gt "$before" || fail "the German clock's item did not register"
ITEM=$(tail -n 1 "$ITEMS")
echo "tooltip in German: $(sni_prop ToolTip)"
[[ $(sni_prop ToolTip) == "Alarm AUS |"* ]] || fail "the German tooltip says $(sni_prop ToolTip)"
$HOST menu "$ITEM" | tee "$WORK/menu-de.txt"
for entry in "Alarm EIN" "Velto zeigen" "Über" "Bei der Anmeldung starten" "Beenden"; do
  grep -q "'$entry'" <(sed 's/_//g' "$WORK/menu-de.txt") || fail "no \"$entry\" in the German menu"
done

# The notification area ends while the clock is kept in it: the clock comes back on the
# screen, and its item registers with the next one.
minimise
kill "$HOST_PID"
wait_for shown || wait_for shown || fail "the clock did not come back when its tray went away"
before=$(wc -l < "$ITEMS")
start_sni_host
again() { [ "$(wc -l < "$ITEMS")" -gt "$before" ]; }
wait_for again || wait_for again || fail "the item did not register with the new notification area"
ITEM=$(tail -n 1 "$ITEMS")
$HOST click "$ITEM" "Beenden"
wait_for eval '! kill -0 $PID 2> /dev/null' || fail "Beenden did not end the clock"
wait "$PID" || fail "the clock did not end cleanly"
echo "e2e sni ok"
