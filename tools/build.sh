#!/usr/bin/env bash
# Configures and builds everything twice from the one source: the 32-bit
# build into the build folder (default: build/, the DLL in build/bin/) and
# the 64-bit build into its x64/ subfolder (the DLL in build/x64/bin/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build" -j"$(nproc)"
cmake -S "$root" -B "$build/x64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build/x64" -j"$(nproc)"
