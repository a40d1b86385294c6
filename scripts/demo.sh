#!/usr/bin/env bash
# The main job: builds the project, then runs the end-to-end scenarios on the simulated devices.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$here/build"
bash "$here/scripts/build.sh" "$build"
out="$build/out"
work="$(mktemp -d "${TMPDIR:-/tmp}/orvane-demo.XXXXXX")"
trap 'rm -rf "$work"' EXIT
# The applications find the engine, the driver and the explorer's libraries on the library path,
# exactly as an installation would provide the real ones.
export LD_LIBRARY_PATH="$out/lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"

echo "######## Helvar: attribute configuration documents of a simulated digitizer"
"$out/bin/helvar" demo "$work/helvar"

if [ -x "$out/bin/sysvista-host" ]; then
  echo
  echo "######## Quorrel: the explorer plug-in on simulated storage"
  "$out/bin/sysvista-host" --demo --plugin "$out/lib/libQuorrel.so" --work "$work/quorrel"
fi
