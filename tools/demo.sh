#!/usr/bin/env bash
# The README's main job: installs what is missing, builds, and runs the
# plug-in inside the substitute host under Xvfb and Wine, printing what the
# host saw. Screenshots land in build/demo/; the four the README shows are
# copied to docs/images/, so they follow the code.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
bash "$root/tools/install-deps.sh"
BUILD_DIR=$build bash "$root/tools/build.sh" >/dev/null

. "$root/tools/wine-session.sh"
trap wine_session_stop EXIT
# The 32-bit player where this machine runs 32-bit programs, else the
# 64-bit one.
if wine_runs_32bit; then
    echo "== The 32-bit module in the 32-bit substitute player"
else
    echo "== This machine cannot run 32-bit programs: the 64-bit module in the 64-bit substitute player"
    build=$build/x64
fi
wine_session_start "$build"
mkdir -p "$build/demo"
cd "$build/demo"
"$root/tools/wine-run" "$build" "$build/bin/demo.exe" </dev/null | tr -d '\r'
mkdir -p "$root/docs/images"
for picture in skin-full-active skin-mini skin-equalizer options; do
    cp "$build/demo/$picture.png" "$root/docs/images/"
done
