#!/usr/bin/env bash
# Proves that the Debian package installs on a clean Debian 12: makes a minimal Debian 12 root
# with debootstrap (kept for the next run), installs the package there with apt as a
# user would, and starts the installed program: --version, and a short run without a screen.
# Needs root, debootstrap and the network; too slow for `make test`.
#   scripts/check-package.sh [build/velto_*.deb] [root folder]
set -euo pipefail
deb=${1:-$(ls build/velto_*.deb 2>/dev/null | head -n 1 || true)}
root=${2:-/var/tmp/velto-bookworm}
mirror=${MIRROR:-http://deb.debian.org/debian}
[ -f "$deb" ] || { echo "check-package: no package; run 'make package' first" >&2; exit 1; }
[ "$(id -u)" = 0 ] || { echo "check-package: needs root (debootstrap, chroot)" >&2; exit 1; }
command -v debootstrap > /dev/null || { echo "check-package: needs debootstrap" >&2; exit 1; }

if [ ! -x "$root/usr/bin/apt-get" ]; then
  echo "check-package: making a clean Debian 12 root in $root"
  rm -rf "$root"
  debootstrap --variant=minbase bookworm "$root" "$mirror"
fi

# A copy of the clean root for each run, so that what one install leaves cannot help the next.
run=$root.run
rm -rf "$run"
cp -a "$root" "$run"
mounted=()
cleanup() {
  for m in "${mounted[@]}"; do umount "$m" || true; done
  rm -rf "$run"
}
trap cleanup EXIT
for m in proc sys dev; do
  mount --bind "/$m" "$run/$m"
  mounted=("$run/$m" "${mounted[@]}")
done
cp /etc/resolv.conf "$run/etc/resolv.conf"
cp "$deb" "$run/tmp/"
name=$(basename "$deb")

chroot "$run" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
  DEBIAN_FRONTEND=noninteractive bash -euo pipefail -c "
  apt-get update -q
  apt-get install -y -q ./tmp/$name
  echo '--- installed:'
  dpkg -L velto
  echo '--- velto --version:'
  command -v velto
  velto --version
  # A start with no screen (Qt's offscreen platform): it stays up. With no sound server here
  # it says that rings are silent; the file check in the program runs only with a device.
  mkdir -p -m 700 /tmp/run
  XDG_RUNTIME_DIR=/tmp/run QT_QPA_PLATFORM=offscreen timeout 3 velto > /tmp/velto.log 2>&1 ||
    [ \$? = 124 ] || { cat /tmp/velto.log; echo 'check-package: velto did not stay up'; exit 1; }
  cat /tmp/velto.log
  if grep -q 'built-in chime' /tmp/velto.log; then echo 'check-package: sound not found'; exit 1; fi
"
echo "check-package: $name installs and runs on a clean Debian 12"
