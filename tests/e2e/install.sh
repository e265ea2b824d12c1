# Installed as a desktop program: an install into a fresh prefix holds the program, its
# sound, the desktop entry, the icons at every size and the AppStream metadata; the entry and
# the metadata pass the freedesktop validators; the entry names the window class the program
# really has; and the installed program, with no wav folder beside it, finds its sound in
# the data folder.
BUILD=$(dirname "$VELTO")
PREFIX=$WORK/prefix
ID=io.github.velto_clock.Velto
cmake --install "$BUILD" --prefix "$PREFIX" > "$WORK/install.log" || fail "cmake --install"

SHARE=$PREFIX/share
for f in bin/velto share/velto/wav/alarm.wav share/applications/$ID.desktop \
  share/metainfo/$ID.metainfo.xml; do
  [ -f "$PREFIX/$f" ] || fail "$f is not installed"
done
for size in 16 22 24 32 48 64 128 256; do
  icon=$SHARE/icons/hicolor/${size}x${size}/apps/$ID.png
  [ -f "$icon" ] || fail "no ${size}px icon"
  [ "$(identify -format '%m %wx%h' "$icon")" = "PNG ${size}x${size}" ] ||
    fail "$icon is $(identify -format '%m %wx%h' "$icon")"
done

ENTRY=$SHARE/applications/$ID.desktop
# desktop-file-utils before 0.27 (Debian 12) does not know SingleMainWindow, which version
# 1.5 of the desktop entry format added; that one complaint is not a fault of the entry.
desktop-file-validate "$ENTRY" | grep -v 'key "SingleMainWindow"' | tee "$WORK/entry.txt" || true
[ ! -s "$WORK/entry.txt" ] || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$SHARE/metainfo/$ID.metainfo.xml" ||
  fail "the AppStream metadata is not valid"
entry() { sed -n "s/^$1=//p" "$ENTRY"; }
[ "$(entry Icon)" = "$ID" ] || fail "the entry's icon is $(entry Icon)"
[ -x "$PREFIX/bin/$(entry Exec)" ] || fail "the entry starts $(entry Exec)"
[ "$(entry SingleMainWindow)" = true ] || fail "SingleMainWindow"

# The installed program, with nothing but its prefix to find the sound in.
[ ! -e "$PREFIX/bin/wav" ] || fail "a wav folder beside the installed program"
# A sound server of our own, so that "no audio output device" cannot hide a missing file.
if ! command -v pulseaudio > /dev/null; then
  echo "SKIP: pulseaudio is not installed, so the installed program's sound cannot be checked"
  exit 77
fi
start_sound_server
trap 'kill $PULSE_PID 2>/dev/null || true' EXIT
export XDG_DATA_HOME=$WORK/no-data
VELTO=$PREFIX/bin/velto

# started_with DATA-DIRS: starts the installed program, with its log in WORK/velto.log.
started_with() {
  : > "$WORK/velto.log"
  export XDG_DATA_DIRS=$1
  start_clock "@2026-12-08 10:13:40" # the announcer rings soon: the sound is loaded
}
stop() {
  kill "$PID"
  wait "$PID" || true
}

started_with "$SHARE"
class=$(xprop -id "$WID" WM_CLASS | sed -n 's/.*= "\(.*\)", "\(.*\)"$/\2/p')
stop
[ "$class" = "$(entry StartupWMClass)" ] ||
  fail "window class '$class', the entry says '$(entry StartupWMClass)'"
if grep -q 'alarm.wav\|no audio output' "$WORK/velto.log"; then
  cat "$WORK/velto.log"
  fail "the installed program did not find its sound"
fi
# The same start with the data folder out of sight does miss it: the check above can fail.
started_with "$WORK/no-data"
stop
grep -q 'wav/alarm.wav: not found; the built-in chime plays instead' "$WORK/velto.log" ||
  { cat "$WORK/velto.log"; fail "a missing sound went unnoticed"; }
echo "e2e install ok"
