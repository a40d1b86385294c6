#!/usr/bin/env bash
# Kills processes that commit debug settings, and processes that export a document over an existing
# one, at random moments, and checks after each kill that the file still parses and holds a
# complete commit or document (the rollback journal and the replacing rename at work). Too slow
# for the default test run; the unit tests kill at every system call in turn instead.
#   scripts/kill-loop.sh [build-dir] [kills]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$here/build}"
kills="${2:-500}"
committer="$build/out/bin/quorrel_debugconfig_committer"
[ -x "$committer" ] || cmake --build "$build" --target quorrel_debugconfig_committer >/dev/null
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export ORV_COMMON_APPDATA="$scratch"
file="$scratch/Orvane/Shared/Quorrel/Quorrel.config"
mkdir -p "$(dirname "$file")"
# Seed entries the killed commits must never mangle.
for i in 1 2 3 4 5 6; do "$committer" "{SEED-$i}" 1; done
bad=0
for ((k = 1; k <= kills; k++)); do
  "$committer" --counter "{KILLED}" 1000000 &
  pid=$!
  sleep "0.00$((RANDOM % 10))$((RANDOM % 10))"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  # The next user rolls back an interrupted commit under the lock; then the file must be whole.
  if ! "$committer" "{CHECK}" 1 || ! python3 -c '
import json, sys
d = json.load(open(sys.argv[1]))
assert d["version"] == 1
for i in range(1, 7):
    assert "{SEED-%d}" % i in d["devices"], i
' "$file"; then
    echo "kill $k: the settings file is damaged" >&2
    cp "$file" "$scratch/../kill-loop-damaged.config" 2>/dev/null || true
    bad=$((bad + 1))
  fi
done
echo "kill-loop: $kills kills of debug settings commits, $bad damaged files"

helvar="$build/out/bin/helvar"
[ -x "$helvar" ] || cmake --build "$build" --target helvar >/dev/null
export LD_LIBRARY_PATH="$build/out/lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
documents="$scratch/documents"
mkdir -p "$documents"
"$helvar" export --set 1250012=External "$documents/a.json" >/dev/null
exportBad=0
for ((k = 1; k <= kills; k++)); do
  "$helvar" export --set 1250012=Immediate --set 0/1250001=0.$((k % 9 + 1)) "$documents/a.json" >/dev/null 2>&1 &
  pid=$!
  sleep "0.00$((RANDOM % 10))$((RANDOM % 10))"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if ! python3 -c 'import json, sys; d = json.load(open(sys.argv[1])); assert d["attributes"]' "$documents/a.json"; then
    echo "kill $k: the exported document is damaged" >&2
    exportBad=$((exportBad + 1))
  fi
  # A killed export leaves its hidden temporary file behind; nothing else may change.
  rm -f "$documents"/.a.json.tmp*
done
echo "kill-loop: $kills kills of exports, $exportBad damaged documents"
[ "$bad" -eq 0 ] && [ "$exportBad" -eq 0 ]
