#!/usr/bin/env bash
# Configures and builds one flavour of the project.
#   scripts/build.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$here/build}"
shift || true
bash "$here/scripts/bootstrap.sh"
cmake -S "$here" -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
