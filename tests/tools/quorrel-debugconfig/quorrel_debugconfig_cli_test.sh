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
ORV_COMMON_APPDATA="$work/missing" run_tool read "$device" 2>"$work/err"; expect "a missing folder is an environment error" [ $? -eq 3 ]
expect "refusal shows symbol, number and text" \
  grep -qE '^quorrel-debugconfig: [A-Za-z0-9:_]+ \(-[0-9]+\): Failed to open file; FilePath: .*Quorrel\.config; .+' "$work/err"

mkdir -p "$work/appdata/Orvane/Shared/Quorrel"
export ORV_COMMON_APPDATA="$work/appdata"
run_tool commit "$device" 1 true >"$work/out"; expect "commit" [ $? -eq 0 ]
run_tool read "$device" >"$work/out"; expect "read" [ $? -eq 0 ]
expect "read shows the committed values" grep -q "debugSessionConfiguration=1 ServerIsOutOfProcess=true" "$work/out"
run_tool --version >"$work/version"; expect "version" [ $? -eq 0 ]
expect "version names the tool and the plug-in" grep -q "^Quorrel 18\." "$work/version"

# The path in the system's own form.
if [ "${#runner[@]}" -eq 0 ]; then
  expect "path in the system's form" [ "$(run_tool path)" = "$work/appdata/Orvane/Shared/Quorrel/Quorrel.config" ]
fi

# Any spelling of a device id is stored and printed as the plug-in spells it.
config="$work/appdata/Orvane/Shared/Quorrel/Quorrel.config"
run_tool commit 6f1f1e3a-0d5c-4a8b-9a55-2b8e3c7d9f10 0 false >/dev/null; expect "commit with a lower-case id" [ $? -eq 0 ]
expect "the id is stored as the plug-in spells it" grep -qF '"{6F1F1E3A-0D5C-4A8B-9A55-2B8E3C7D9F10}"' "$config"
expect "no second spelling is stored" [ "$(grep -ci 6f1f1e3a "$config")" -eq 1 ]
run_tool read "{6f1f1e3a-0d5c-4a8b-9a55-2b8e3c7d9f10}" >"$work/out"
expect "read with a braced lower-case id" grep -q "^$device debugSessionConfiguration=0 ServerIsOutOfProcess=false" "$work/out"

# What the plug-in refuses is refused (1) and what is no value at all is a usage error (2); the
# file stays as it was either way.
cp "$config" "$work/before"
while read -r expected arguments; do
  # shellcheck disable=SC2086
  run_tool commit $arguments >/dev/null 2>&1; expect "commit $arguments exits $expected" [ $? -eq "$expected" ]
  expect "commit $arguments leaves the file alone" cmp -s "$config" "$work/before"
done <<EOF_COMMITS
1 $device 7 false
1 $device 2 true
1 $device -1 true
1 $device 99999999999 true
1 $device 4294967296 true
2 $device 1.5 false
2 $device one false
2 $device 1 yes
2 nodevice 1 false
2 {6F1F1E3A-0D5C-4A8B-9A55-2B8E3C7D9F1} 1 false
EOF_COMMITS
run_tool commit "$device" 7 false 2>"$work/err"
expect "the refusal says what the plug-in accepts" grep -q "debugSessionConfiguration 7 is refused: the plug-in accepts 0 or 1" "$work/err"
run_tool --bogus >/dev/null 2>"$work/err"; expect "unknown option is a usage error" [ $? -eq 2 ]
expect "unknown option named" grep -q "unknown option --bogus" "$work/err"

if [ -w /dev/full ]; then
  run_tool read "$device" >/dev/full 2>/dev/null; expect "output to a full device fails with 4" [ $? -eq 4 ]
fi
# Under a file size limit the commit fails with its reason, and the file keeps its content.
if [ "${#runner[@]}" -eq 0 ]; then
  ids=()
  for i in $(seq 10 40); do ids+=("6F1F1E3A-0D5C-4A8B-9A55-2B8E3C7D9F$i"); done
  run_tool ensure "${ids[@]}" >/dev/null
  cp "$config" "$work/before"
  (ulimit -f 1; run_tool commit "${ids[0]}" 0 true; echo "exit $?") 2>&1 | cat >"$work/limit"
  expect "a commit past the file size limit is an output failure" grep -q "^exit 4" "$work/limit"
  expect "a commit past the file size limit says why" grep -q "File too large" "$work/limit"
  expect "the file keeps its content" cmp -s "$config" "$work/before"
fi
exit $((failures > 0))
