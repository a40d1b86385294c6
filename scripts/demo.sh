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
echo "--- any status code can be looked up in any language, here the refusal of a damaged document in Japanese"
"$out/bin/helvar" describe -1074100298 --lang 3
echo "--- a code that no library knows is said to be unknown, in the language asked for (here French)"
"$out/bin/helvar" describe 12345 --lang 1

echo
bash "$here/scripts/demo-documents.sh" "$out/bin" "$work" "$out/lib" "$out/python"

echo
echo "######## Quorrel: the explorer plug-in over simulated storage"
appdata="$work/appdata"
# An installation creates the shared folder of the debug settings file; so does this scenario.
mkdir -p "$appdata/Orvane/Shared/Quorrel"
host=("$out/bin/sysvista-host" --plugin "$out/lib/libQuorrel.so" --appdata "$appdata")
echo "--- the explorer lists the supported devices with their property bags"
"${host[@]}"
echo "--- the user changes both debug settings of the first device and commits them"
"${host[@]}" --set 1:debugSessionConfiguration=0 --set 1:ServerIsOutOfProcess=1
echo "--- the shared debug settings file now reads"
cat "$appdata/Orvane/Shared/Quorrel/Quorrel.config"
echo
echo "--- an edit the plug-in refuses (debugSessionConfiguration takes 0 or 1)"
if "${host[@]}" --set 1:debugSessionConfiguration=2; then
  echo "demo: the bad edit was accepted" >&2
  exit 1
fi
echo "--- the storage changes a device and a person edits the debug settings file by hand, while the"
echo "    explorer runs: both reach the explorer as notifications (time stamps in UTC)"
"${host[@]}" --change-device '{"id": "{D1A50001-0C2E-4B7A-8E11-5A0000000001}",
    "class": "{5C1A0001-7E2B-4D3C-9F10-0A1B2C3D4E01}",
    "properties": {"9553": "Renamed", "1585": "HSDR-5162", "8998": 12582}}' \
  --edit-config 2:ServerIsOutOfProcess=true --wait-notifications 2 | grep -E '^\[|^notifications'
echo "main job: done"
