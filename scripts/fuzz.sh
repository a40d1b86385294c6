#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer, and runs
# each over its seed corpus for a bounded number of inputs.
#   scripts/fuzz.sh [runs-per-target]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-${ORV_FUZZ_RUNS:-20000}}"
build="$here/build-fuzz"
bash "$here/scripts/bootstrap.sh"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DORV_BUILD_FUZZ=ON -DORV_BUILD_TESTS=OFF -DORV_SANITIZE=address,undefined -DCMAKE_BUILD_TYPE=Debug >/dev/null
targets=(fuzz_channel_parser:channel fuzz_import_buffer:import-buffer fuzz_explanation_file:explanation-file
  fuzz_report_formatter:report-formatter fuzz_debug_settings:debug-settings fuzz_registry_file:registry-file)
names=()
for t in "${targets[@]}"; do names+=("${t%%:*}"); done
cmake --build "$build" -j"$(nproc)" --target "${names[@]}"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for t in "${targets[@]}"; do
  name="${t%%:*}"
  corpus="$here/fuzz/corpus/${t##*:}"
  scratch="$(mktemp -d)"
  cp -r "$corpus/." "$scratch/"
  echo "fuzz: $name, $runs inputs"
  # New inputs go to a scratch copy so the committed seed corpus stays as it is.
  "$build/out/bin/$name" -runs="$runs" -max_len=65536 -timeout=10 -print_final_stats=1 "$scratch" 2>&1 | tail -n 12
  rm -rf "$scratch"
done
