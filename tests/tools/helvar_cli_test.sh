#!/usr/bin/env bash
# Drives the helvar tool as a user would: exit codes, refusals shown with name, number and text.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/helvar_checks.sh"

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

run_helvar apply --options "Simulate=1,DriverSetup=Language:3" "$work/missing.json" >"$work/missing-jpn" 2>&1; check "missing file is refused in Japanese" 1 $?
contains "Japanese label shown as UTF-8" "$work/missing-jpn" "ファイルパス: $work/missing.json"

printf '\xEF\xBB\xBF' >"$work/bom.json"; cat "$work/a.json" >>"$work/bom.json"
run_helvar check "$work/bom.json" >"$work/bom" 2>&1; check "a file with a byte-order mark is refused" 1 $?
contains "byte-order mark hint" "$work/bom" "hint: the file starts with a UTF-8 byte-order mark"

run_helvar describe 0xBFFA0003 --lang 3 >"$work/describe" 2>&1; check "describe" 0 $?
contains "describe names the code" "$work/describe" "ivierrors::ERR_READING_FILE"
contains "describe in Japanese" "$work/describe" "ファイルを読み取れませんでした。"
run_helvar describe -1074100298 >"$work/describe-en" 2>&1; check "describe a negative code" 0 $?
contains "describe in English" "$work/describe-en" "errors::corruptedFormat"
run_helvar describe 1 --lang 9 >/dev/null 2>&1; check "describe refuses an unknown language" 2 $?
run_helvar describe 12345 --lang 2 >"$work/describe-unknown" 2>&1; check "describe an unknown code" 0 $?
contains "an unknown code is said so in German" "$work/describe-unknown" "Für den angefragten Statuscode gibt es keine Beschreibung"
contains "an unknown code is a warning" "$work/describe-unknown" "returned the warning 1073383352"

run_helvar export --set 99999=1 "$work/x.json" >"$work/badset" 2>&1; check "unknown attribute is refused" 1 $?

run_helvar save-restore --set 1250012=External --change 1250012=Immediate >"$work/sr" 2>&1; check "save-restore" 0 $?
run_helvar demo "$work/demo" >"$work/demo.log" 2>&1; check "demo" 0 $?
contains "demo end" "$work/demo.log" "all steps behaved as expected"
contains "demo describes in Japanese" "$work/demo.log" "この属性構成ドキュメントは別の計測器モデル用に作成されています。"
contains "demo shows the driver's error query" "$work/demo.log" "Digiscan_GetError gives code -1074100300"
contains "the driver's query gives the recorded description" "$work/demo.log" "Expected Model Number: 5122"
contains "demo labels in Japanese" "$work/demo.log" "構成のモデル番号: 4711"

run_helvar export --options "Simulate=1,DriverSetup=Channels:99" "$work/y.json" >/dev/null 2>&1; check "a session the driver cannot open is an environment error" 3 $?

if [ -w /dev/full ]; then
  run_helvar export - >/dev/full 2>"$work/full"; check "output to a full device fails" 4 $?
  # The C library's text; a Windows build under an emulator reports the failure in its own words.
  if [ "${#runner[@]}" -eq 0 ]; then
    contains "the reason of the output failure" "$work/full" "No space left on device"
  fi
  run_helvar apply "$work/a.json" >/dev/full 2>"$work/full"; check "apply's output to a full device fails" 4 $?
fi

# Sparse files: their size is what counts, and it is refused before anything is read.
for size in 2147483648 4294967306; do
  truncate -s "$size" "$work/huge" && {
    run_helvar check - <"$work/huge" >/dev/null 2>"$work/huge.err"; check "standard input of $size bytes is refused" 1 $?
    contains "too large" "$work/huge.err" "too large (2 GiB or more)"
    rm -f "$work/huge"
  }
done
mkfifo "$work/pipe"
run_helvar check "$work/pipe" >"$work/pipe.out" 2>&1; check "a pipe as document is refused without blocking" 1 $?
contains "not a regular file" "$work/pipe.out" "Not a regular file"
run_helvar check "$work" >"$work/dir.out" 2>&1; check "a folder as document is refused" 1 $?
# The C library's text again (Windows gives "Access denied" for a folder).
if [ "${#runner[@]}" -eq 0 ]; then contains "a folder" "$work/dir.out" "Is a directory"; fi

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
