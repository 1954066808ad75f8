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
wine_session_start "$build"
mkdir -p "$build/demo"
cd "$build/demo"
wine "$build/bin/demo.exe" </dev/null | tr -d '\r'
mkdir -p "$root/docs/images"
for picture in skin-full-active skin-mini skin-equalizer options; do
    cp "$build/demo/$picture.png" "$root/docs/images/"
done
