#!/usr/bin/env bash
# Configures, builds and runs every VyMath test, warnings as errors: the normal build (unit tests, the
# fuzz corpora replayed, the command-line tool's and the Python package's tests with the type stubs'
# check, the packaging), the API reference (Doxygen, every public declaration documented), the
# benchmarks built (not run: their figures come from bench/run.py on a quiet machine), then each
# fuzz target for a short bounded time (30 seconds; VYMATH_FUZZ_SECONDS changes it, 0 skips
# it), the whole suite again under AddressSanitizer + UndefinedBehaviorSanitizer, and the
# concurrent-read test under ThreadSanitizer. Missing Debian packages are installed first, and the
# sources' form is checked before anything is built: C++ by the repository's .clang-format, Python by
# flake8 (tools/lint.py).
#   tools/check.sh           everything (about 16 minutes on 2 cores)
#   tools/check.sh --quick   the form, then the normal build and its tests but the packaging (a few minutes
#                            from scratch, under 3 on a built tree)
set -euo pipefail
cd "$(dirname "$0")/.."

quick=0
[ "${1:-}" = "--quick" ] && quick=1

tools/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)

echo "==== form (clang-format, flake8)"
git ls-files '*.cpp' '*.h' | grep -v '^fuzz/corpus/' | xargs clang-format --dry-run --Werror
/usr/bin/python3 tools/lint.py

if [ "${quick}" -eq 1 ]; then
    cmake --preset dev -DVYMATH_WARNINGS_AS_ERRORS=ON
    cmake --build --preset dev -j "${jobs}"
    ctest --preset dev -j "${jobs}" -LE package
    exit 0
fi

run() {
    local preset=$1
    echo "==== ${preset}"
    cmake --preset "${preset}" -DVYMATH_WARNINGS_AS_ERRORS=ON
    cmake --build --preset "${preset}" -j "${jobs}"
    ctest --preset "${preset}" -j "${jobs}"
}

run dev
echo "==== docs (API reference, warnings as errors)"
cmake --build --preset dev --target docs

echo "==== bench (built, not run)"
cmake --preset bench -DVYMATH_WARNINGS_AS_ERRORS=ON
cmake --build --preset bench -j "${jobs}"

seconds=${VYMATH_FUZZ_SECONDS:-30}
if [ "${seconds}" -gt 0 ]; then
    echo "==== fuzz (${seconds} s a target)"
    tools/fuzz.sh "${seconds}"
fi

run asan
run tsan
