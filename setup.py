"""pip install . (see pyproject.toml): scikit-build builds the library statically into vymath._core with
CMake and installs it with the pure-Python modules, the type stubs and py.typed of python/vymath."""

import re
from pathlib import Path

from skbuild import setup

root = Path(__file__).resolve().parent
version = re.search(r"project\(VyMath VERSION (\S+)", (root / "CMakeLists.txt").read_text()).group(1)

setup(
    version=version,
    packages=["vymath"],
    package_dir={"vymath": "python/vymath"},
    package_data={"vymath": ["py.typed", "*.pyi"]},
    cmake_install_target="install",
    cmake_args=[
        "-DCMAKE_BUILD_TYPE=Release",
        "-DBUILD_SHARED_LIBS=OFF",
        "-DCMAKE_POSITION_INDEPENDENT_CODE=ON",
        "-DVYMATH_BUILD_TESTS=OFF",
        "-DVYMATH_BUILD_EXAMPLES=OFF",
        "-DVYMATH_BUILD_CLI=OFF",
        "-DVYMATH_INSTALL=OFF",
        "-DVYMATH_BUILD_PYTHON=ON",
        "-DVYMATH_PYTHON_INSTALL=ON",
        "-DVYMATH_PYTHON_INSTALL_DIR=python/vymath",  # the package's folder (package_dir)
    ],
)
