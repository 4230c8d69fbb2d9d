"""pip install --no-build-isolation ./python: builds the library statically into vymath._core with
CMake (through scikit-build) and installs the package."""

import re
from pathlib import Path

from skbuild import setup

root = Path(__file__).resolve().parent.parent
version = re.search(r"project\(VyMath VERSION (\S+)", (root / "CMakeLists.txt").read_text()).group(1)

setup(
    name="vymath",
    version=version,
    description="Piecewise-linear functions, envelopes, load combinations and tensors for structural checks",
    packages=["vymath"],
    python_requires=">=3.8",
    install_requires=["numpy"],
    extras_require={"plot": ["matplotlib"], "dask": ["dask", "distributed"]},
    cmake_source_dir="..",
    cmake_install_target="install",
    cmake_args=[
        "-DCMAKE_BUILD_TYPE=Release",
        "-DBUILD_SHARED_LIBS=OFF",
        "-DCMAKE_POSITION_INDEPENDENT_CODE=ON",
        "-DVYMATH_BUILD_TESTS=OFF",
        "-DVYMATH_BUILD_EXAMPLES=OFF",
        "-DVYMATH_INSTALL=OFF",
        "-DVYMATH_BUILD_PYTHON=ON",
        "-DVYMATH_PYTHON_INSTALL=ON",
    ],
)
