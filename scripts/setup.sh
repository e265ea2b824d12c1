#!/usr/bin/env bash
# Installs what Velto needs to build, run and test on Debian or Ubuntu. Does nothing when all
# of it is already there; uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang-format
  qt6-base-dev qt6-multimedia-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils imagemagick libfaketime openbox trayer
)

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
