#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each of them for a bounded time.
#   tools/fuzz.sh            30 seconds a target (the smoke run of tools/check.sh)
#   tools/fuzz.sh 600        ten minutes a target
#   tools/fuzz.sh 600 fuzz_tensor   one target only
# Each run starts from the seed corpus in fuzz/corpus/<target> and keeps what it finds in
# build/fuzz/corpus/<target>; a crash leaves its input in build/fuzz/ and fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_function1d fuzz_setfunction fuzz_tensor fuzz_numerics)

if ! command -v clang++ >/dev/null 2>&1; then
    if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null 2>&1; then
        apt-get update && apt-get install -y clang libclang-rt-14-dev
    else
        echo "clang++ is missing: install it (Debian: apt-get install clang libclang-rt-14-dev)" >&2
        exit 1
    fi
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc 2>/dev/null || echo 2)"

for t in "${targets[@]}"; do
    corpus=build/fuzz/corpus/$t
    mkdir -p "$corpus"
    echo "==== $t: ${seconds} s"
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "build/fuzz/fuzz/$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="build/fuzz/$t-" "$corpus" "fuzz/corpus/$t" 2>&1 |
        grep -E "^#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss|cov:|ERROR|invariant|SUMMARY|Test unit written" |
        tail -n 6
    status=${PIPESTATUS[0]}
    if [ "$status" -ne 0 ]; then
        echo "$t failed (exit $status)" >&2
        exit "$status"
    fi
done
