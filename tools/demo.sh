#!/usr/bin/env bash
# The README's main job: installs what is missing, builds, and runs the
# plug-in inside the substitute host under Xvfb and Wine, printing what the
# host saw: the 32-bit module in a 32-bit player, then the 64-bit module in
# a 64-bit player. Screenshots land in each build's demo/ folder; the five
# the README shows are copied to docs/images/, so they follow the code.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
bash "$root/tools/install-deps.sh"
BUILD_DIR=$build bash "$root/tools/build.sh" >/dev/null

. "$root/tools/wine-session.sh"
trap wine_session_stop EXIT
# Runs the demo of one build in a Wine session of its own; its pictures stay
# in that build's demo/ folder.
run_demo() {
    local tree=$1
    wine_session_start "$tree"
    mkdir -p "$tree/demo"
    (cd "$tree/demo" && "$root/tools/wine-run" "$tree" "$tree/bin/demo.exe" </dev/null | tr -d '\r')
    wine_session_stop
}
# The 32-bit player speaking the older interface, where this machine runs
# 32-bit programs; then the 64-bit player speaking the newer one. The README
# shows the first run's pictures.
pictures=$build/x64
if wine_runs_32bit; then
    echo "== The 32-bit module in the 32-bit substitute player (interface 10.5)"
    run_demo "$build"
    pictures=$build
else
    echo "== This machine cannot run 32-bit programs: no 32-bit player here"
fi
echo
echo "== The 64-bit module in the 64-bit substitute player (interface 2.0)"
BRAMBLECOURT_HOST_INTERFACE=2.0 run_demo "$build/x64"
mkdir -p "$root/docs/images"
for picture in skin-full-active skin-mini skin-equalizer skin-full-active-200 options; do
    cp "$pictures/demo/$picture.png" "$root/docs/images/"
done
