#!/usr/bin/env bash
# Installs every Debian package that building, testing, fuzzing and benchmarking VyMath need, with
# its command-line tool and its Python package. Packages already present are left alone; nothing
# else in the project installs packages.
#   tools/install-deps.sh          install what is missing (needs root and apt-get)
#   tools/install-deps.sh --list   print the package list
set -euo pipefail

packages=(
    # build and C++ tests
    cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev
    # fuzz targets, ThreadSanitizer runtime
    clang libclang-rt-14-dev
    # benchmarks and their peers
    libbenchmark-dev libgsl-dev libeigen3-dev time
    # command-line tool (jemalloc its allocator)
    libcli11-dev nlohmann-json3-dev libcsv-dev libjemalloc-dev
    # .xlsx workbooks: reading (zip, XML; ISA-L inflating the sheets), writing (the tests' and the
    # benchmark's workbooks, its peer)
    libzip-dev libexpat1-dev zlib1g-dev libisal-dev libxlsxwriter-dev python3-openpyxl
    # analysis layer: members in parallel
    libtbb-dev
    # Python package, its tests and its examples
    python3 python3-dev python3-pip pybind11-dev python3-numpy python3-pytest python3-hypothesis
    python3-matplotlib python3-dask python3-distributed python3-skbuild python3-venv python3-mypy
    # API reference
    doxygen
    # the sources' form: C++ (clang-format) and Python (flake8)
    clang-format flake8
    # rendering the tool's SVG plots to PNG for a look; its HTML report in a headless browser
    librsvg2-bin chromium
    # the model benchmark's peer
    python3-pandas
)

if [ "${1:-}" = "--list" ]; then
    printf '%s\n' "${packages[@]}"
    exit 0
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null 2>&1; then
    echo "missing Debian packages: ${missing[*]} (install them as root with apt-get)" >&2
    exit 1
fi
echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
