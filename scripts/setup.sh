#!/usr/bin/env bash
# Installs what Velto needs to build, run and test on Debian or Ubuntu. Does nothing when all
# of it is already there; uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang-format clang-tidy
  qt6-base-dev qt6-multimedia-dev qt6-l10n-tools qt6-tools-dev libqt6multimedia6 libqt6sql6-sqlite
  libgl-dev libxcb1-dev libxcb-xfixes0-dev libxcb-damage0-dev
  libgtest-dev libgmock-dev libbenchmark-dev libpulse-dev
  xvfb xauth xdotool x11-utils imagemagick libfaketime openbox trayer
  qt6-wayland weston desktop-file-utils appstream dbus-daemon
  python3 tzdata python3-pyatspi python3-dbus python3-icalendar at-spi2-core libglib2.0-bin
)

# The sound checks need a sound server to record from. One of our own is started for them,
# so a machine that has one already (PulseAudio or PipeWire's) keeps it; only a machine with
# none gets PulseAudio.
have_sound_server=""
for p in pulseaudio pipewire-pulse; do
  if dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    have_sound_server=1
  fi
done
[ -n "$have_sound_server" ] || packages+=(pulseaudio pulseaudio-utils)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if ! command -v apt-get >/dev/null 2>&1; then
  echo "velto: these packages are missing and this is not a Debian-like system: ${missing[*]}" >&2
  echo "velto: see the README for the packages on other systems." >&2
  exit 1
fi

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
echo "velto: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q "${missing[@]}"
