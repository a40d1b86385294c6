#!/usr/bin/env bash
# Instructions of one export or import and of its baseline, counted by callgrind: independent of
# the machine's load, unlike times.
#   bench/helvar_impexp/count_instructions.sh <bench-build-dir> [sizes...]
set -euo pipefail
build="$1"
shift
sizes=("${@:-10000 100000}")
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
count() {  # benchmark filter, function to count
    # The run before the timed ones and a single iteration (one operation takes longer than the
    # minimum time): two calls.
    LD_LIBRARY_PATH="$build/out/lib" valgrind --tool=callgrind --callgrind-out-file="$out/cg" \
        --toggle-collect="*$2*" "$build/out/bin/bench_helvar_impexp" \
        --benchmark_filter="$1" --benchmark_min_time=0.000001 >/dev/null 2>&1
    callgrind_annotate "$out/cg" 2>/dev/null | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); printf "%d\n", $1 / 2; exit}'
}
for n in ${sizes[@]}; do
    for pair in "exportBuffer:productExport" "exportBaseline:baselineExport" \
                "importBuffer:productImport" "importBaseline:baselineImport"; do
        bench="${pair%%:*}"
        function="${pair##*:}"
        printf '%-16s %7s %14s\n' "$function" "$n" "$(count "^$bench<SimulatedSession>/$n\$" "$function")"
    done
done
