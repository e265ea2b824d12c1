# Under a German desktop the real program speaks German: each tray menu entry answers to the
# letter its German caption underlines (which no English caption does), and the About window
# comes up under its German title.
# Only the clock hears of German; the tools go on in the check's own language.
unset LC_ALL LC_MESSAGES LANGUAGE
start_openbox
start_tray
LANG=de_DE.UTF-8 start_clock "2026-12-08 09:00:00"
icon_in_tray || fail "the icon is not in the tray"

# "Über" is matched without its first letter, which xdotool sees in the title's older encoding.
about_shown() { xdotool search --onlyvisible --name 'ber Velto$' > /dev/null 2>&1; }
menu_keys about_shown Down Down Down Return || # the third entry: About
  { xwininfo -root -tree | grep -i velto; fail "the About window has no German title"; }
xdotool key Escape

click 358 10 # minimise: hidden, the icon is there
hidden() { [ "$(visible_windows)" = 0 ]; }
wait_for hidden || fail "minimise did not hide the window"
shown_again() { [ "$(visible_windows)" = 1 ]; }
menu_keys shown_again z || fail "the menu has no \"Velto &zeigen\""

open_menu
xdotool key b # "&Beenden"
status=0
ends_by_itself || status=$?
[ "$status" != 124 ] || fail "the menu has no \"&Beenden\""
[ "$status" = 0 ] || fail "Beenden ended the program with $status"
kill "$TRAYER"
echo "e2e lang ok"
