#!/usr/bin/env bash
# quorrel_debugconfig_cli_test.sh TOOL [RUNNER...]: the debug settings tool as a user meets it.
set -u
tool="$1"
shift
runner=("$@")
run_tool() { "${runner[@]}" "$tool" "$@"; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
device="{6F1F1E3A-0D5C-4A8B-9A55-2B8E3C7D9F10}"
failures=0
expect() {  # description condition...
  local description="$1"; shift
  if "$@"; then echo "ok: $description"; else echo "FAIL: $description"; failures=$((failures + 1)); fi
}

run_tool >/dev/null 2>&1; expect "no command is a usage error" [ $? -eq 2 ]
run_tool --help >"$work/help"; expect "help succeeds" [ $? -eq 0 ]
expect "help gives an example" grep -q "^example:" "$work/help"

# A refusal reads "symbol (number): text", the text naming the file and the system's reason.
ORV_COMMON_APPDATA="$work/missing" run_tool read "$device" 2>"$work/err"; expect "a missing folder fails" [ $? -eq 1 ]
expect "refusal shows symbol, number and text" \
  grep -qE '^quorrel-debugconfig: [A-Za-z0-9:_]+ \(-[0-9]+\): Failed to open file; FilePath: .*Quorrel\.config; .+' "$work/err"

mkdir -p "$work/appdata/Orvane/Shared/Quorrel"
export ORV_COMMON_APPDATA="$work/appdata"
run_tool commit "$device" 1 true >"$work/out"; expect "commit" [ $? -eq 0 ]
run_tool read "$device" >"$work/out"; expect "read" [ $? -eq 0 ]
expect "read shows the committed values" grep -q "debugSessionConfiguration=1 ServerIsOutOfProcess=true" "$work/out"
exit $((failures > 0))
