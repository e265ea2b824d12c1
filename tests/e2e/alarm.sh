# The alarm from the mouse, on the real program at a frozen time: presets, a hot spot, a real
# drag of the mark, the title switch, and the edit mode with its bars.
start_openbox
start_tray
start_clock "2026-12-08 09:00:30"
# The face lies at (248, 20) in the window; its centre is at (316, 88).
click 206 176 # preset "05"
alarm_is 09:05 05 5
click 259 176 # "15"
alarm_is 09:15 15 15
click 232 176 # "10"
alarm_is 09:10 10 10
click $((248 + 123)) $((20 + 68)) # hot spot 3
alarm_is 09:15 15 15
click 284 176 # "20" moves the mark to minute 20, out of the way of the hot spot at 3
alarm_is 09:20 20 20
# A real drag: press on the mark at minute 20, move along the inside of the rim to 3 o'clock
# (between the hot spots, where only the bare dial lies), release.
xdotool mousemove --window "$WID" 369 119 mousedown 1
sleep 0.2
for p in "352 102" "354 95" "354 89"; do
  set -- $p
  xdotool mousemove --window "$WID" "$1" "$2"
  sleep 0.15
done
xdotool mouseup 1
alarm_is 09:15 15 15
click 27 10 # the title switches the alarm off
alarm_is off blank 0
click 180 120 # the alarm read-out: edit mode, with the bars
click 126 88  # the bar over the tens of hours: 09:15 becomes 19:15
click 180 120 # applies it
alarm_is 19:15 60 60
echo "e2e alarm ok"
