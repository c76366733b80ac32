#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs each for SECONDS (default 60) on a
# copy of its committed corpus. New crashes are kept in build-fuzz/findings/<target>/; add the
# interesting ones to tests/fuzz/corpus/<target>/ once the program handles them.
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
seconds="${1:-60}"
shift || true
dir="$top/build-fuzz"
CXX=clang++-14 cmake -S "$top" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRA_FUZZ=ON \
    -DVELTRA_BENCH=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)" --target fuzz_targets
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for corpus in "$top"/tests/fuzz/corpus/*/; do targets+=("$(basename "$corpus")"); done
fi
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
for target in "${targets[@]}"; do
    work="$dir/work/$target"
    findings="$dir/findings/$target"
    rm -rf "$work"
    mkdir -p "$work" "$findings"
    cp "$top/tests/fuzz/corpus/$target/"* "$work/"
    echo "fuzz_$target: ${seconds} s"
    "$dir/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=8192 -timeout=10 \
        -artifact_prefix="$findings/" -print_final_stats=1 "$work" 2>"$dir/$target.log" ||
        { tail -40 "$dir/$target.log"; echo "fuzz_$target found a failure: $findings"; exit 1; }
    grep -E "stat::number_of_executed_units" "$dir/$target.log" || true
done
