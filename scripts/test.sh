#!/usr/bin/env bash
# Builds everything and runs the whole test suite.
#   scripts/test.sh                      plain build in ./build
#   ORV_SANITIZE=address,undefined scripts/test.sh   the same under sanitizers in ./build-<sanitizers>
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
sanitize="${ORV_SANITIZE:-}"
if [ -n "$sanitize" ]; then
  build="$here/build-${sanitize//,/-}"
  # ThreadSanitizer is slow without optimisation; the others keep every frame.
  type=Debug
  [ "$sanitize" = thread ] && type=RelWithDebInfo
  bash "$here/scripts/build.sh" "$build" -DORV_SANITIZE="$sanitize" -DCMAKE_BUILD_TYPE="$type"
else
  build="$here/build"
  bash "$here/scripts/build.sh" "$build"
fi
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export TSAN_OPTIONS="${TSAN_OPTIONS:-halt_on_error=1}"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" "$@"
