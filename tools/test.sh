#!/usr/bin/env bash
# The README's test command: installs what is missing, builds both modules,
# and runs the whole suite under Wine against each, one test case per
# process, one at a time (they share the registry, the clipboard and the
# foreground window): the 32-bit build in a 32-bit prefix, then the 64-bit
# build in a 64-bit prefix, each in a Wine session of its own. The
# substitute host announces the player's older interface (10.5) to the
# 32-bit build, then for the cases of the player's records the newer one
# (2.0), which it announces to the 64-bit build. The soak runs once,
# with the 32-bit build where the machine runs 32-bit programs.
# Arguments go to both ctest runs (e.g. -R Clock).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
bash "$root/tools/install-deps.sh"
BUILD_DIR=$build bash "$root/tools/build.sh"

. "$root/tools/wine-session.sh"
trap wine_session_stop EXIT
status=0
if wine_runs_32bit; then
    wine_session_start "$build"
    ctest --test-dir "$build" --output-on-failure "$@" || status=1
    # A 32-bit player of today announces the newer interface: the cases of
    # the player's records and what follows from them, once more with it.
    echo "== The 32-bit build, the host announcing the newer interface"
    BRAMBLECOURT_HOST_INTERFACE=2.0 ctest --test-dir "$build" --output-on-failure \
        -R 'PluginEntry|UnicodeRecord|RadioStream|CoverArt|WinampWindow|SongFile' "$@" || status=1
    wine_session_stop
    soak=(-LE soak)
else
    # CTest would start the 32-bit test programs to list their cases.
    echo "== This machine cannot run 32-bit programs: the 32-bit module gets only its static checks"
    sh "$root/tests/check-module.sh" i686-w64-mingw32-objdump "$build/bin/Bramblecourt.dll" pei-i386 || status=1
    soak=()
fi
echo "== The 64-bit build, the host speaking the newer interface"
wine_session_start "$build/x64"
BRAMBLECOURT_HOST_INTERFACE=2.0 ctest --test-dir "$build/x64" --output-on-failure "${soak[@]}" "$@" || status=1
exit $status
