# SIGTERM, SIGINT and SIGHUP end the clock cleanly at any moment: just started, with the tray
# menu open, and while a ring's window is up. Each time it ends by itself with status 0 and
# takes its icon out of the tray.
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
start_openbox
start_tray

ring_shown() { xdotool search --onlyvisible --name '^Alarm$' > /dev/null 2>&1; }

for sig in TERM INT HUP; do
  for moment in started menu ring; do
    start_clock "@2026-12-08 09:00:00" # the clock runs, so a ring comes
    wait_for tray_icon || fail "the icon is not in the tray"
    case $moment in
      menu)
        open_menu
        ;;
      ring)
        click 27 10 # the title: the alarm rings four seconds from now
        wait_for ring_shown || fail "no ring came"
        ;;
    esac
    kill -s "$sig" "$PID"
    status=0
    ends_by_itself 5 || status=$?
    [ "$status" != 124 ] || { kill -9 "$PID"; fail "SIG$sig $moment: the clock did not end"; }
    [ "$status" = 0 ] || fail "SIG$sig $moment: ended with status $status"
    ! tray_icon 2>/dev/null || fail "SIG$sig $moment: the icon stayed in the tray"
    echo "ok SIG$sig $moment"
  done
done
kill "$TRAYER"
