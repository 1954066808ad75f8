#!/usr/bin/env bash
# The README's test command: installs what is missing, builds, and runs the
# whole suite under Wine, one test case per process, one at a time (they
# share the registry, the clipboard and the foreground window).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
bash "$root/tools/install-deps.sh"
BUILD_DIR=$build bash "$root/tools/build.sh"

. "$root/tools/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$build"
ctest --test-dir "$build" --output-on-failure "$@"
