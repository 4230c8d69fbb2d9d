#!/usr/bin/env bash
# Configures, builds and runs every VyMath test: once in a normal build, once more under
# AddressSanitizer + UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)

run() {
    local preset=$1
    echo "==== ${preset}"
    cmake --preset "${preset}"
    cmake --build --preset "${preset}" -j "${jobs}"
    ctest --preset "${preset}" -j "${jobs}"
}

run dev
run asan
