#!/usr/bin/env bash
# man_pages_test.sh BIN_DIR HELVAR_LIBRARY MAN_DIR COMPLETION_DIR
# Every option and command a tool's --help names is documented in its man page and offered by its
# bash completion, every help text gives an example, every page states the shared exit codes, and
# every function the library exports has its entry in the section 3 page.
set -euo pipefail
bin="$1" library="$2" man="$3" completion="$4"
failures=0
fail() { echo "man pages: $*" >&2; failures=$((failures + 1)); }
# The page's text without roff escapes, as a reader sees it.
plain() { sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' -e 's/\\//g' "$1"; }

check_tool() {
  local page="$1" help="$2"
  local text tool="${1%.1}"
  text="$(plain "$man/$page")"
  grep -qi 'example' <<<"$help" || fail "$page: --help gives no example"
  for option in $(grep -oE -- '--[a-z][a-z-]*' <<<"$help" | sort -u); do
    grep -qF -- "$option" <<<"$text" || fail "$page: $option is not documented"
    grep -qF -- "$option" "$completion/$tool" || fail "$tool completion: $option is not offered"
  done
}
# The tool's own page and help: the shared exit codes, and --version.
check_page() {
  local page="$1" help="$2"
  for code in 0 1 2 3 4; do
    sed -n '/^\.SH EXIT STATUS/,/^\.SH [A-Z]*$/p' "$man/$page" | grep -qx "\.B $code" || fail "$page: exit code $code is not stated"
  done
  grep -qF -- '--version' <<<"$help" || fail "${page%.1}: --help names no --version"
}

helvar_help="$("$bin/helvar" --help)"
check_tool helvar.1 "$helvar_help"
check_page helvar.1 "$helvar_help"
for command in $(sed -n '/^commands:/,/^$/p' <<<"$helvar_help" | awk 'NR > 1 && NF { print $1 }'); do
  grep -qF -- "$command" <<<"$(plain "$man/helvar.1")" || fail "helvar.1: command $command is not documented"
  check_tool helvar.1 "$("$bin/helvar" "$command" --help)"
done
for tool in sysvista-host quorrel-debugconfig; do
  check_tool "$tool.1" "$("$bin/$tool" --help)"
  check_page "$tool.1" "$("$bin/$tool" --help)"
done
for command in path read ensure commit; do
  grep -qE "^\.B(I)? \"?$command" <<<"$(plain "$man/quorrel-debugconfig.1")" || fail "quorrel-debugconfig.1: $command"
done

api="$(plain "$man/Helvar.3")"
for function in $(nm -D --defined-only "$library" | awk '$2 == "T" { print $3 }'); do
  grep -qF -- "$function(" <<<"$api" || fail "Helvar.3: $function is not documented"
done
[ "$failures" -eq 0 ] && echo "man pages: all documented"
exit $((failures > 0))
