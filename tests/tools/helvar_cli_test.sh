#!/usr/bin/env bash
# Drives the helvar tool as a user would: exit codes, refusals shown with name, number and text.
set -u
# Further arguments: a program that runs it (the emulator of a cross build).
helvar="$1"
shift
runner=("$@")
run_helvar() { "${runner[@]}" "$helvar" "$@"; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
passes=0
check() {  # description expected-exit actual-exit
  if [ "$2" != "$3" ]; then echo "FAIL: $1 (exit $3, expected $2)"; failures=$((failures + 1)); else echo "ok: $1"; passes=$((passes + 1)); fi
}
contains() {  # description file text
  if grep -qF -- "$3" "$2"; then echo "ok: $1"; passes=$((passes + 1)); else echo "FAIL: $1: no \"$3\" in:"; cat "$2"; failures=$((failures + 1)); fi
}

run_helvar >/dev/null 2>&1; check "no command is a usage error" 2 $?
run_helvar frobnicate >/dev/null 2>&1; check "unknown command is a usage error" 2 $?
run_helvar export --help >"$work/help" 2>&1; check "command help" 0 $?
contains "command help text" "$work/help" "usage: helvar export"
run_helvar export --bogus x >/dev/null 2>&1; check "unknown option is a usage error" 2 $?

run_helvar export --set 0/1250001=0.3 --set 1250012=External "$work/a.json" >/dev/null; check "export" 0 $?
contains "exported value" "$work/a.json" '"value": "External"'
run_helvar check "$work/a.json" >"$work/check" 2>&1; check "own document checks" 0 $?
run_helvar apply "$work/a.json" >"$work/applied" 2>&1; check "apply" 0 $?
contains "applied value" "$work/applied" '"value": 0.3'

sed 's/"modelNumber": [0-9-]*/"modelNumber": 4711/' "$work/a.json" >"$work/other.json"
run_helvar check "$work/other.json" >"$work/refused" 2>&1; check "other model is refused" 1 $?
contains "symbolic name" "$work/refused" "errors::incompatibleModelNumber"
contains "number" "$work/refused" "-1074100300"
contains "recorded description" "$work/refused" "description:"

printf '{"formatVersion": 1' >"$work/broken.json"
run_helvar check - <"$work/broken.json" >"$work/broken" 2>&1; check "damaged document from standard input is refused" 1 $?
contains "corrupted format" "$work/broken" "errors::corruptedFormat"

run_helvar apply "$work/missing.json" >"$work/missing" 2>&1; check "missing file is refused" 1 $?
contains "reading error" "$work/missing" "ivierrors::ERR_READING_FILE"

run_helvar export --set 99999=1 "$work/x.json" >"$work/badset" 2>&1; check "unknown attribute is refused" 1 $?

run_helvar save-restore --set 1250012=External --change 1250012=Immediate >"$work/sr" 2>&1; check "save-restore" 0 $?
run_helvar demo "$work/demo" >"$work/demo.log" 2>&1; check "demo" 0 $?
contains "demo end" "$work/demo.log" "all steps behaved as expected"

run_helvar export --options "Simulate=1,DriverSetup=Channels:99" "$work/y.json" >/dev/null 2>&1; check "a session the driver cannot open is an environment error" 3 $?

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
