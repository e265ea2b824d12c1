# The Preferences window, opened from the tray menu and worked by its keys: the snooze's
# minutes and a ring until stopped are kept at once, survive a kill -9 and come back with the
# next start; in German the window and the ring's buttons speak German. Screenshots of both
# windows in both languages are left in WORK to be looked at.
unset LC_ALL LC_MESSAGES LANGUAGE
CONF=$XDG_CONFIG_HOME/velto/velto.conf
start_openbox
start_tray
prefs() { xdotool search --onlyvisible --name "^$1\$" 2> /dev/null | head -n 1; }
prefs_shown() { [ -n "$(prefs "$1")" ]; }
# shot_of WINDOW NAME: the window with its frame, cut from the screen.
shot_of() {
  local X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "$((WIDTH + 4))x$((HEIGHT + 30))+$((X - 2))+$((Y - 26))" +repage \
    "$WORK/$2"
}
kept() { grep -q "^$1\$" "$CONF"; }

start_clock "@2026-12-08 10:20:10"
menu_keys 'prefs_shown "Velto Preferences"' r || fail "no Preferences window from the menu"
P=$(prefs "Velto Preferences")
xdotool windowactivate --sync "$P" 2> /dev/null || true
xdotool key --delay 100 alt+n Down alt+r Down # snooze 10 minutes; ring up to a minute
wait_for kept snooze_minutes=10 && wait_for kept ring_minutes=1 ||
  { cat "$CONF"; fail "the choices were not kept at once"; }
sleep 0.3
shot_of "$P" preferences-en.png
xdotool key Escape

click 27 10 # rings four seconds later, until stopped
wait_for 15 ring_window || fail "no ring"
sleep 0.5
shot_of "$(ring_window_id)" ring-en.png
xdotool key Escape

kill -9 "$PID"
wait "$PID" || true
LANG=de_DE.UTF-8 start_clock "@2026-12-08 10:30:10"
kept snooze_minutes=10 && kept ring_minutes=1 || { cat "$CONF"; fail "lost at the restart"; }
menu_keys 'prefs_shown "Velto-Einstellungen"' e || fail "no German Preferences window"
sleep 0.3
shot_of "$(prefs "Velto-Einstellungen")" preferences-de.png
xdotool key Escape
click 27 10
wait_for 15 ring_window || fail "no ring"
sleep 0.5
shot_of "$(ring_window_id)" ring-de.png
xdotool key Escape
kill "$PID"
wait "$PID" || true
kept snooze_minutes=10 || fail "the restarted clock dropped the choices"
echo "e2e preferences ok"
