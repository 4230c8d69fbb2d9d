#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each of them for a bounded time.
#   tools/fuzz.sh            30 seconds a target (the smoke run of tools/check.sh)
#   tools/fuzz.sh 600        ten minutes a target
#   tools/fuzz.sh 600 fuzz_tensor   one target only
# Each run starts from the seed corpus in fuzz/corpus/<target> and keeps what it finds in
# build/fuzz/corpus/<target>. A finding ends the script with the target's name and the saved input.
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_function1d fuzz_setfunction fuzz_tensor fuzz_numerics fuzz_differential fuzz_lagrange)

if ! command -v clang++ >/dev/null 2>&1; then
    echo "clang++ is missing: run tools/install-deps.sh" >&2
    exit 1
fi

cmake --preset fuzz -DVYMATH_WARNINGS_AS_ERRORS=ON >/dev/null || exit 1
cmake --build --preset fuzz -j "$(nproc 2>/dev/null || echo 2)" || exit 1

for t in "${targets[@]}"; do
    corpus=build/fuzz/corpus/$t
    log=build/fuzz/$t.log
    mkdir -p "$corpus"
    rm -f build/fuzz/"$t"-crash-* build/fuzz/"$t"-leak-* build/fuzz/"$t"-timeout-* build/fuzz/"$t"-oom-*
    echo "==== $t: ${seconds} s"
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "build/fuzz/fuzz/$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="build/fuzz/$t-" "$corpus" "fuzz/corpus/$t" >"$log" 2>&1
    status=$?
    grep -E "^#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss" "$log" | tail -n 3 || true
    if [ "$status" -ne 0 ]; then
        grep -E "ERROR|invariant|SUMMARY" "$log" | head -n 5 || true
        input=$(grep -o "Test unit written to [^ ]*" "$log" | tail -n 1 | sed 's/Test unit written to //')
        echo "$t failed (exit $status); input: ${input:-none saved}; log: $log" >&2
        echo "replay with: VYMATH_FUZZ_TRACE=1 build/fuzz/fuzz/$t ${input:-<input>}" >&2
        exit "$status"
    fi
done
