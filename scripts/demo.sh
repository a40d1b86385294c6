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
# An installation creates the shared folder of the debug settings file; so does this scenario.
mkdir -p "$work/appdata/Orvane/Shared/Quorrel"
bash "$here/scripts/demo-scenarios.sh" "$out/bin" "$work" "$work/appdata" --plugin "$out/lib/libQuorrel.so"
echo
bash "$here/scripts/demo-documents.sh" "$out/bin" "$work" "$out/lib" "$out/python"
echo "main job: done"
