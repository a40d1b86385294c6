#!/usr/bin/env bash
# Builds the Debian packages, installs them with apt into a fresh Debian 12 (minbase) tree and
# runs the tools there, as a user of a clean machine would.
#   scripts/package-check.sh [build-dir]
# Needs root (debootstrap, chroot) and the Debian mirror. The pristine tree is cached as a tarball
# under ~/.cache/orvane, so later runs skip the bootstrap.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$here/build}"
mirror="${ORV_DEBIAN_MIRROR:-http://deb.debian.org/debian}"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/orvane"
base="$cache/bookworm-minbase.tar"

bash "$here/scripts/build.sh" "$build"
(cd "$build" && rm -f ./*.deb && cpack -G DEB >/dev/null)

if [ ! -f "$base" ]; then
  command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
  mkdir -p "$cache"
  fresh="$(mktemp -d)"
  if ! debootstrap --variant=minbase bookworm "$fresh" "$mirror" >"$cache/debootstrap.log" 2>&1; then
    echo "package-check: debootstrap failed (see $cache/debootstrap.log)" >&2
    rm -rf "$fresh"
    exit 1
  fi
  tar -C "$fresh" -cf "$base" .
  rm -rf "$fresh"
fi

root="$(mktemp -d "${TMPDIR:-/tmp}/orvane-clean.XXXXXX")"
cleanup() { umount "$root/proc" 2>/dev/null || true; rm -rf "$root"; }
trap cleanup EXIT
chmod 755 "$root"
tar -C "$root" -xf "$base"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mkdir -p "$root/tmp/debs"
cp "$build"/*.deb "$root/tmp/debs/"
mount -t proc proc "$root/proc"
chroot "$root" /bin/bash -euo pipefail -c '
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o APT::Sandbox::User=root update -qq
  apt-get -o APT::Sandbox::User=root install -y -qq /tmp/debs/*.deb >/dev/null 2>&1
  echo "package-check: installed $(ls /tmp/debs | tr "\n" " ")"
  cd /tmp
  helvar demo /tmp/helvar-demo | tail -1
  description="$(helvar describe -1074100298 --lang 3)"
  echo "package-check: helvar describe found the installed explanation files"
  sysvista-host --appdata /var/lib >/dev/null
  echo "package-check: sysvista-host listed the devices with the installed plug-in"
  test -f /usr/share/man/man1/helvar.1 && test -f /usr/share/man/man3/Helvar_Initialize.3
  test -f /usr/include/Helvar.h && test -f /usr/lib/pkgconfig/helvar.pc
'
echo "package-check: the packages install and run on a clean Debian 12"
