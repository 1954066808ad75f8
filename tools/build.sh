#!/usr/bin/env bash
# Configures and builds everything twice from the one source: the 32-bit
# build into the build folder (default: build/, the DLL in build/bin/) and
# the 64-bit build into its x64/ subfolder (the DLL in build/x64/bin/).
# Each build's installer carries the other's DLL too, so the 64-bit DLL is
# built before the 32-bit tree and the 32-bit one before the 64-bit tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DBRAMBLECOURT_OTHER_BUILD="$build/x64" >/dev/null
cmake -S "$root" -B "$build/x64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
      -DBRAMBLECOURT_OTHER_BUILD="$build" >/dev/null
cmake --build "$build/x64" -j"$(nproc)" --target Bramblecourt
cmake --build "$build" -j"$(nproc)"
cmake --build "$build/x64" -j"$(nproc)"
