#!/usr/bin/env bash
# Builds GoogleTest for Windows from Debian's sources (package googletest) with our MinGW-w64
# toolchain, and installs it into <build>/googletest. Does nothing when it is already there.
# Usage: scripts/windows-googletest.sh <build-dir>
set -euo pipefail

racine="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:?usage: $0 <build-dir>}")"
sources=/usr/src/googletest
installe="$build/googletest"

if [ -f "$installe/lib/cmake/GTest/GTestConfig.cmake" ]; then exit 0; fi
[ -f "$sources/CMakeLists.txt" ] || { echo "Sources de GoogleTest absentes ($sources) : paquet googletest." >&2; exit 1; }

cmake -S "$sources" -B "$build/googletest-build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$racine/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$installe" \
  -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON -Dgtest_force_shared_crt=ON
cmake --build "$build/googletest-build"
cmake --install "$build/googletest-build"
