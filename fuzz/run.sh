#!/usr/bin/env bash
# Builds the fuzz preset and runs each libFuzzer target for a bounded time (FUZZ_SECONDS, default
# 60) from its committed seed corpus. Fails on the first crash, leak or failed check; the input
# that caused it is kept in build/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

artifacts=build/fuzz/artifacts
mkdir -p "$artifacts"
# Every NAME_fuzz.cpp is a target, seeded from corpus/NAME/.
for source in fuzz/*_fuzz.cpp; do
    target=$(basename "$source" _fuzz.cpp)
    # New inputs go to a scratch corpus; the committed seeds stay as they are.
    work=build/fuzz/corpus/$target
    mkdir -p "$work"
    log=build/fuzz/$target.log
    echo "== fuzzing $target for ${seconds}s"
    if ! build/fuzz/${target}_fuzz -max_total_time="$seconds" -max_len=40000 -print_final_stats=1 \
        -artifact_prefix="$artifacts/$target-" "$work" "fuzz/corpus/$target" >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        echo "fuzz target $target failed; the input that did it is in $artifacts" >&2
        exit 1
    fi
    grep -E '^stat::number_of_executed_units' "$log"
    echo "corpus: $(find "$work" -type f | wc -l) inputs"
done
