#!/usr/bin/env bash
# Runs every benchmark program of the build under Wine and prints one table:
# each path, its time, the baseline measured in the same run, the ratio (the
# median of alternating rounds) and its spread (lowest and highest round).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
bash "$root/tools/install-deps.sh"
BUILD_DIR=$build bash "$root/tools/build.sh" >/dev/null

. "$root/tools/wine-session.sh"
trap wine_session_stop EXIT
# Steady figures on a shared machine. Everything of the run (the programs,
# the wineserver and the X server they talk to) shares the last core: on
# these virtual machines waking a thread on another core costs far more
# than on the same one, so unpinned, every round trip to the wineserver or
# the X server cost more or less depending on what the other core was
# doing, and a neighbour's job moved the ratios by a factor of two. And as
# root they run at a raised priority, so that a neighbour's job goes to
# the other core rather than into the rounds.
taskset -cp "$(($(nproc) - 1))" $$ >/dev/null 2>&1 || true
renice -n -10 -p $$ >/dev/null 2>&1 || true
# Each build the machine runs, in a Wine session of its own: the 32-bit one
# with the older interface, the 64-bit one with the newer; every row is
# measured against its own baseline in that build's run.
trees=()
if wine_runs_32bit; then trees+=("$build"); fi
trees+=("$build/x64")
rows=$(mktemp)
machine=""
for tree in "${trees[@]}"; do
    arch=$(cat "$tree/wine-arch")
    label=$([ "$arch" = win64 ] && echo 64-bit || echo 32-bit)
    wine_session_start "$tree"
    # The X server resets its own priority at start.
    renice -n -10 -p "$WINE_SESSION_XVFB" $(pgrep -f wineserver) >/dev/null 2>&1 || true
    machine="$machine, $("$root/tools/wine-run" "$tree" --version) ($arch)"
    for program in "$tree"/bin/bench_*.exe; do
        (cd "$tree/bin" && BRAMBLECOURT_HOST_INTERFACE=$([ "$arch" = win64 ] && echo 2.0 || echo 10.5) \
            "$root/tools/wine-run" "$tree" "$program" </dev/null 2>/dev/null | tr -d '\r') |
            sed "s/^\(ROW\|INFO\)|/\1|$label|/" >>"$rows" || true
    done
    wine_session_stop
done

# A build the machine cannot run still has its DLL's size measured.
if ! wine_runs_32bit; then
    echo "INFO|32-bit|DLL size (not run here)|$(stat -c %s "$build/bin/Bramblecourt.dll") bytes|target < 300 KB" >>"$rows"
fi

echo "Machine: $(nproc --all) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')$machine on $(. /etc/os-release && echo "$PRETTY_NAME")"
wine_runs_32bit || echo "(no 32-bit rows: this machine cannot run 32-bit programs)"
echo
printf '| %-6s | %-52s | %10s | %-34s | %10s | %6s | %-11s | %-18s |\n' "build" "path" "time (us)" "baseline" "base (us)" "ratio" "spread" "target"
printf '|%s|%s|%s|%s|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..8})" "$(printf -- '-%.0s' {1..54})" "$(printf -- '-%.0s' {1..12})" "$(printf -- '-%.0s' {1..36})" "$(printf -- '-%.0s' {1..12})" "$(printf -- '-%.0s' {1..8})" "$(printf -- '-%.0s' {1..13})" "$(printf -- '-%.0s' {1..20})"
grep '^ROW|' "$rows" | while IFS='|' read -r _ label path time base basetime ratio lowest highest target; do
    printf '| %-6s | %-52s | %10s | %-34s | %10s | %6s | %-11s | %-18s |\n' "$label" "$path" "$time" "$base" "$basetime" "$ratio" "$lowest-$highest" "$target"
done
echo
grep '^INFO|' "$rows" | while IFS='|' read -r _ label what value target; do
    printf -- '- %s, %s: %s (%s)\n' "$label" "$what" "$value" "$target"
done
rm -f "$rows"
