#!/usr/bin/env bash
# helvar diff and helvar show as a user drives them: the comparison rules as one table, the
# forms of show, and the exit codes.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/helvar_checks.sh"
# A document with one entry of the given value and header members.
document() {  # value [model] [oldest] [stamp] [name]
  printf '{"formatVersion": 1, "oldestCompatibleFormatVersion": %s, "timeStamp": "%s",
 "session": {"channels": "", "optionString": ""}, "generatedBy": {"name": "Helvar.dll", "version": "4.5.5f0"},
 "devices": [{"modelNumber": %s}],
 "attributes": [{"id": 1250013, "name": "%s", "channel": "", "value": %s}]}' \
    "${3:-1}" "${4:-2026-12-07T14:45:03}" "${2:-5122}" "${5:-DIGISCAN_ATTR_TRIGGER_LEVEL}" "$1"
}

# The comparison rules: value A | value B | extra option | expected exit | text expected in the output.
while IFS='|' read -r a b option expected text; do
  document "$a" >"$work/a.json"
  document "$b" >"$work/b.json"
  run_helvar diff $option "$work/a.json" "$work/b.json" >"$work/out" 2>&1
  check "diff $a against $b $option" "$expected" $?
  [ -n "$text" ] && contains "diff $a against $b says" "$work/out" "$text"
done <<'TABLE'
1000|1000.0||0|are equal
1000|1001||1|changed  1250013 DIGISCAN_ATTR_TRIGGER_LEVEL channel "": 1000 -> 1001
0.1|0.10||0|are equal
1e2|100||0|are equal
"External"|"External"||0|are equal
"External"|"external"||1|"External" -> "external"
true|true||0|
true|1||1|true -> 1
"NaN"|"NaN"||0|
TABLE

# Header members: compared unless ignored without --all.
document 1 >"$work/a.json"
document 1 5124 >"$work/b.json"
run_helvar diff "$work/a.json" "$work/b.json" >"$work/out" 2>&1; check "another model differs" 1 $?
contains "the model number is named" "$work/out" 'header   model number: [{"modelNumber":5122}] -> [{"modelNumber":5124}]'
contains "and what an import makes of it" "$work/out" "different models"
document 1 5122 1 2026-12-08T00:00:00 >"$work/b.json"
run_helvar diff "$work/a.json" "$work/b.json" >/dev/null 2>&1; check "the time stamp is ignored" 0 $?
run_helvar diff --all "$work/a.json" "$work/b.json" >"$work/out" 2>&1; check "but compared with --all" 1 $?
contains "time stamp named" "$work/out" "header   time stamp"
document 1 5122 1 2026-12-07T14:45:03 OTHER_NAME >"$work/b.json"
run_helvar diff "$work/a.json" "$work/b.json" >/dev/null 2>&1; check "names are informative" 0 $?
run_helvar diff --all --json "$work/a.json" "$work/b.json" >"$work/out" 2>&1; check "but compared with --all" 1 $?
contains "json result" "$work/out" '"change":"changed","id":1250013,"channel":""'

# Entries by key, the last of a key in effect; added and removed.
printf '{"formatVersion": 1, "oldestCompatibleFormatVersion": 1, "timeStamp": "",
 "session": {"channels": "", "optionString": ""}, "generatedBy": {"name": "Helvar.dll", "version": "4.5.5f0"},
 "devices": [{"modelNumber": 5122}],
 "attributes": [{"id": 1250013, "name": "L", "channel": "", "value": 5}, {"id": 1250013, "name": "L", "channel": "", "value": 1},
  {"id": 1250001, "name": "R", "channel": "0", "value": 0.5}]}' >"$work/c.json"
run_helvar diff "$work/a.json" "$work/c.json" >"$work/out" 2>&1; check "an added entry" 1 $?
contains "added" "$work/out" 'added    1250001 R channel "0": 0.5'
run_helvar diff "$work/c.json" "$work/a.json" >"$work/out" 2>&1; check "a removed entry" 1 $?
contains "removed" "$work/out" 'removed  1250001 R channel "0": 0.5'

# Documents an import refuses on any session are still read, and said so; broken ones are not.
document 1 5122 2 >"$work/newer.json"
run_helvar show "$work/newer.json" >"$work/out" 2>&1; check "a newer library's document is shown" 0 $?
contains "and said so" "$work/out" "written by a newer library"
printf '{"formatVersion": 1,' >"$work/broken.json"
run_helvar show "$work/broken.json" >"$work/out" 2>&1; check "a broken document is an environment error" 3 $?
contains "with the reason" "$work/out" "errors::corruptedFormat"
run_helvar diff "$work/a.json" "$work/missing.json" >"$work/out" 2>&1; check "a missing file is an environment error" 3 $?
document '"x"' 5122 1 now >"$work/bad-version.json"
sed -i 's/4.5.5f0/04.5.5f0/' "$work/bad-version.json"
run_helvar diff "$work/a.json" "$work/bad-version.json" >"$work/out" 2>&1; check "a malformed version is refused" 3 $?
contains "as an import refuses it" "$work/out" "errors::invalidVersionFormat"
sed '1s/^{/{"$schema": "file:\/\/\/usr\/share\/orvane\/attribute-configuration.schema.json", /' "$work/a.json" >"$work/s.json"
run_helvar diff "$work/a.json" "$work/s.json" >/dev/null 2>&1; check "a \$schema member is ignored" 0 $?

# show: table, CSV, JSON; values on one line whatever they hold.
document '"two\nlines, \"quoted\""' >"$work/d.json"
run_helvar show "$work/d.json" >"$work/out" 2>&1; check "show" 0 $?
contains "table row" "$work/out" '1  1250013  DIGISCAN_ATTR_TRIGGER_LEVEL           ViString  "two\nlines, \"quoted\""'
run_helvar show --csv "$work/d.json" >"$work/out" 2>&1; check "show --csv" 0 $?
contains "csv row" "$work/out" '1,1250013,DIGISCAN_ATTR_TRIGGER_LEVEL,,ViString,"two'
run_helvar show --json - <"$work/a.json" >"$work/out" 2>&1; check "show --json from standard input" 0 $?
contains "json entry" "$work/out" '"type":"ViInt32","value":1}'
run_helvar show --json --csv "$work/a.json" >/dev/null 2>&1; check "two forms are a usage error" 2 $?
run_helvar diff "$work/a.json" >/dev/null 2>&1; check "diff needs two documents" 2 $?
run_helvar show --bogus "$work/a.json" >/dev/null 2>&1; check "an unknown option is a usage error" 2 $?
if [ -w /dev/full ]; then
  run_helvar show "$work/a.json" >/dev/full 2>/dev/null; check "output to a full device fails" 4 $?
fi
echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
