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
run_helvar describe --lang de 0xBFFA0003 >"$work/describe-de" 2>&1; check "describe by language name" 0 $?
contains "the language named de is German" "$work/describe-de" "language 2 (German)"
run_helvar describe -l ja -- -1074100298 >"$work/describe-ja" 2>&1; check "describe with short options and --" 0 $?
contains "the language named ja is Japanese" "$work/describe-ja" "language 3 (Japanese)"

# Usage errors: exit 2 and a message naming what is wrong; nothing wrapped or read as 0.
while IFS='|' read -r words message; do
  # shellcheck disable=SC2086
  run_helvar $words >/dev/null 2>"$work/usage"; check "usage error: $words" 2 $?
  contains "message for: $words" "$work/usage" "$message"
done <<'EOF_USAGE'
describe 99999999999|"99999999999" is not a status code
describe 2147483648|"2147483648" is not a status code
describe 0x1BFFA0003|"0x1BFFA0003" is not a status code
describe 0x|"0x" is not a status code
describe 12abc|"12abc" is not a status code
describe 1 --lang 9|no language "9"
describe 1 --lang -1|no language "-1"
describe 1 --lang xx|no language "xx"
describe 1 --lang 2x|no language "2x"
check --lang english x.json|no language "english"
describe --set 1250012=1 1|option --set does not apply to describe
export --set|option --set needs a value
export --bogus x.json|unknown option --bogus
EOF_USAGE

run_helvar --version >"$work/version" 2>&1; check "version" 0 $?
contains "the tool's version" "$work/version" "helvar 4."
contains "the library's version" "$work/version" "libHelvar 4."

run_helvar export --set 99999=1 "$work/x.json" >"$work/badset" 2>&1; check "unknown attribute is refused" 1 $?
run_helvar export -s DIGISCAN_ATTR_TRIGGER_SOURCE=External -s 0/DIGISCAN_ATTR_VERTICAL_RANGE=5 - >"$work/named.json"
check "attributes set by name" 0 $?
contains "a value set by name" "$work/named.json" '"value": "External"'
contains "a channel value set by name" "$work/named.json" '"value": 5.0'
run_helvar export --set NO_SUCH_ATTRIBUTE=1 - >/dev/null 2>"$work/badname"; check "unknown attribute name is refused" 1 $?
contains "the unknown name" "$work/badname" 'no attribute named "NO_SUCH_ATTRIBUTE"'

# An entry named otherwise than the session names its id is imported by its id, with a warning.
sed 's/"DIGISCAN_ATTR_TRIGGER_SOURCE"/"DIGISCAN_ATTR_TRIGGER_LEVEL"/' "$work/a.json" >"$work/misnamed.json"
run_helvar check "$work/misnamed.json" >"$work/misnamed" 2>&1; check "a misnamed entry is still accepted" 0 $?
contains "the misnamed entry is warned about" "$work/misnamed" \
  'warning: entry 2 (id 1250012) is named "DIGISCAN_ATTR_TRIGGER_LEVEL", but the session'"'"'s name for that id is "DIGISCAN_ATTR_TRIGGER_SOURCE"'
run_helvar check - <"$work/misnamed.json" >"$work/misnamed-stdin" 2>&1; check "a misnamed entry from standard input" 0 $?
contains "warned about from standard input too" "$work/misnamed-stdin" "warning: entry 2 (id 1250012)"
if grep -q warning "$work/check"; then echo "FAIL: an exported document gets a warning"; failures=$((failures + 1)); fi

run_helvar apply --lang ja "$work/missing.json" >"$work/missing-lang" 2>&1; check "apply in the --lang language" 1 $?
contains "Japanese label through --lang" "$work/missing-lang" "ファイルパス: $work/missing.json"
run_helvar export --resource Elsewhere --options "Simulate=1,DriverSetup=Channels:99" - >/dev/null 2>"$work/resource"
check "a resource the driver cannot open is an environment error" 3 $?
contains "the resource is named" "$work/resource" 'open a session on "Elsewhere"'

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

# Under a file size limit a write fails with its reason; the signal does not end the tool. The
# shell's own output goes through a pipe, which the limit does not touch.
# ThreadSanitizer's run time writes a file before main, so under the limit such a build cannot
# start at all: there the cases say nothing about the tool and are left out.
starts_under_limit() { (ulimit -f 0; run_helvar --version >/dev/null 2>&1); }
if [ "${#runner[@]}" -eq 0 ] && ! starts_under_limit; then
  echo "skip: the tool cannot start under a file size limit in this build (sanitizer run time)"
fi
if [ "${#runner[@]}" -eq 0 ] && starts_under_limit; then
  (ulimit -f 0; run_helvar export "$work/limited.json"; echo "exit $?") 2>&1 | cat >"$work/limit"
  contains "export under a file size limit is an output failure" "$work/limit" "exit 4"
  contains "export under a file size limit says why" "$work/limit" "File too large"
  (ulimit -f 0; run_helvar export - >"$work/limited-out.json"; echo "exit $?") 2>&1 | cat >"$work/limit-out"
  contains "standard output under a file size limit is an output failure" "$work/limit-out" "exit 4"
  contains "standard output under a file size limit says why" "$work/limit-out" "File too large"
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
