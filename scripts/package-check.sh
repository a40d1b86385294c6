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
(cd "$build" && rm -f ./*.deb ./*.ddeb && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log"; exit 1; }

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
tar -C "$root" -xf "$base"
# After the extraction: the archive's own "." entry carries the mode of the bootstrap's folder.
chmod 755 "$root"
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
  # The shared folder of the debug settings is there for every local user to commit in; the
  # first commit, by a user without privileges, creates the file.
  [ "$(stat -c %a /var/lib/Orvane/Shared/Quorrel)" = 777 ]
  useradd --no-create-home orvane-check
  su orvane-check -s /bin/bash -c "sysvista-host --set 1:debugSessionConfiguration=1" >/dev/null
  grep -q debugSessionConfiguration /var/lib/Orvane/Shared/Quorrel/Quorrel.config
  echo "package-check: a user without privileges committed a debug setting"
  helvar demo /tmp/helvar-demo | tail -1
  description="$(helvar describe -1074100298 --lang 3)"
  grep -q "static description:" <<<"$description"
  echo "package-check: helvar describe found the installed explanation files"
  sysvista-host >/dev/null
  echo "package-check: sysvista-host listed the devices with the installed plug-in"
  test -f /usr/share/man/man1/helvar.1.gz && test -L /usr/share/man/man3/Helvar_Initialize.3.gz
  test -f /usr/include/helvar/Helvar.h && test -f /usr/include/quorrel/explorer/QuorrelExports.h
  test -f "/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || echo x86_64-linux-gnu)/pkgconfig/helvar.pc"
  test -f /usr/share/doc/libhelvar4/copyright && test -f /usr/share/doc/libquorrel18/changelog.gz
  dpkg -s libquorrel18 | grep -q "^Version: 18\."
  # Purging the plug-in removes the shared folder it made.
  apt-get -o APT::Sandbox::User=root purge -y -qq libquorrel18 >/dev/null 2>&1
  [ ! -e /var/lib/Orvane/Shared/Quorrel ]
  echo "package-check: purging the plug-in removed its shared folder"
'
echo "package-check: the packages install and run on a clean Debian 12"
