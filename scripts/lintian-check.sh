#!/usr/bin/env bash
# Builds the Debian packages and shows what lintian reports on each of them (the -dbgsym ones
# included). Every warning that remains is overridden in its package with a reason, so the
# check passes only with 0 errors and 0 warnings.
#   scripts/lintian-check.sh [build-dir]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$here/build}"
bash "$here/scripts/bootstrap.sh" lintian
bash "$here/scripts/build.sh" "$build"
(cd "$build" && rm -f ./*.deb ./*.ddeb && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log"; exit 1; }
report="$(cd "$build" && lintian --tag-display-limit 0 ./*.deb ./*.ddeb 2>&1 | grep -E '^[EW]: ' || true)"
[ -n "$report" ] && echo "$report"
errors="$(grep -c '^E: ' <<<"$report" || true)"
warnings="$(grep -c '^W: ' <<<"$report" || true)"
overridden="$(cd "$build" && lintian --show-overrides ./*.deb ./*.ddeb 2>&1 | grep -c '^O: ' || true)"
packages="$(cd "$build" && ls ./*.deb ./*.ddeb | wc -l)"
echo "lintian: $errors errors, $warnings warnings on $packages packages ($overridden overridden with their reasons)"
[ "$errors" -eq 0 ] && [ "$warnings" -eq 0 ]
