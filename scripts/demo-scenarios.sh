#!/usr/bin/env bash
# The main job's end-to-end scenarios on the simulated devices, run with the tools of one tree.
#   scripts/demo-scenarios.sh BIN_DIR WORK_DIR APPDATA_DIR [sysvista-host options...]
# BIN_DIR holds helvar and sysvista-host; the libraries must be reachable from them (the build
# tree through LD_LIBRARY_PATH, an installation by itself). APPDATA_DIR/Orvane/Shared/Quorrel is
# the shared folder of the debug settings file and must exist.
set -euo pipefail
bin="$1" work="$2" appdata="$3"
shift 3

echo "######## Helvar: attribute configuration documents of a simulated digitizer"
"$bin/helvar" demo "$work/helvar"
echo "--- any status code can be looked up in any language, here the refusal of a damaged document in Japanese"
"$bin/helvar" describe -1074100298 --lang 3
echo "--- a code that no library knows is said to be unknown, in the language asked for (here French)"
"$bin/helvar" describe 12345 --lang 1

echo
echo "######## Quorrel: the explorer plug-in over simulated storage"
host=("$bin/sysvista-host" "$@" --appdata "$appdata")
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
