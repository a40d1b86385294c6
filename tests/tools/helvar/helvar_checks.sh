# Sourced by the helvar tool's test scripts: arguments HELVAR [RUNNER...] (the emulator of a cross
# build), a scratch folder, and the checks that count passes and failures.
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
