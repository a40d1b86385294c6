#!/usr/bin/env bash
# Installs the Debian packages the build, the tools and the tests need; does nothing when all are there.
#   scripts/bootstrap.sh [more packages...]   also installs the packages named (e.g. a cross toolchain)
set -euo pipefail
packages=(
  build-essential binutils cmake ninja-build clang pkg-config
  libboost-dev libboost-date-time-dev libboost-thread-dev libboost-system-dev
  dpkg-dev rapidjson-dev liblua5.1-0-dev lua5.1 lua-filesystem lua-filesystem-dev lua-cjson lua-cjson-dev lua-dkjson
  libcjson-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
  python3 python3-pytest
  "$@"
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "bootstrap: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
