#!/usr/bin/env bash
# The main job's scenario of comparing and reading documents: two stations' exports compared with
# helvar diff, one listed with helvar show, then the Python binding's example.
#   scripts/demo-documents.sh BIN_DIR WORK_DIR [LIBRARY_DIR PYTHON_DIR]
# LIBRARY_DIR and PYTHON_DIR locate the libraries and the binding of a build; without them the
# installed ones are used.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bin="$1" work="$2" libraries="${3:-}" python="${4:-}"
helvar="$bin/helvar"
mkdir -p "$work"

echo "######## Comparing and reading documents: station A and station B measure differently. Why?"
"$helvar" export --set 0/1250001=0.3 --set 1250012=External --set 1250011=1000 "$work/station-a.json" >/dev/null
"$helvar" export --set 0/1250001=1.0 --set 1250012=External --set 1250013=0.125 "$work/station-b.json" >/dev/null
echo "--- helvar diff: by meaning, the time stamp ignored (exit 1: they differ)"
if "$helvar" diff "$work/station-a.json" "$work/station-b.json"; then
  echo "demo: diff found no difference" >&2
  exit 1
fi
echo "--- helvar show: what is in station A's file"
"$helvar" show "$work/station-a.json"
echo "--- the same from Python (python3-helvar), on the simulated driver; no LD_LIBRARY_PATH needed"
environment=(-u LD_LIBRARY_PATH)
[ -n "$libraries" ] && environment+=(HELVAR_LIBRARY_DIR="$libraries")
[ -n "$python" ] && environment+=(PYTHONPATH="$python")
env "${environment[@]}" /usr/bin/python3 "$here/docs/python-example.py"
