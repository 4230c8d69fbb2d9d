#!/usr/bin/env bash
# Configures, builds and runs every VyMath test: once in a normal build, once more under
# AddressSanitizer + UndefinedBehaviorSanitizer; in between, each fuzz target runs for a short bounded
# time (30 seconds; VYMATH_FUZZ_SECONDS changes it, 0 skips the fuzz run).
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)

# The package test builds a consumer through pkg-config.
if ! command -v pkg-config >/dev/null 2>&1; then
    if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null 2>&1; then
        apt-get update && apt-get install -y pkg-config
    else
        echo "pkg-config is missing: install it (Debian: apt-get install pkg-config)" >&2
        exit 1
    fi
fi

run() {
    local preset=$1
    echo "==== ${preset}"
    cmake --preset "${preset}"
    cmake --build --preset "${preset}" -j "${jobs}"
    ctest --preset "${preset}" -j "${jobs}"
}

run dev

seconds=${VYMATH_FUZZ_SECONDS:-30}
if [ "${seconds}" -gt 0 ]; then
    echo "==== fuzz (${seconds} s a target)"
    tools/fuzz.sh "${seconds}"
fi

run asan
