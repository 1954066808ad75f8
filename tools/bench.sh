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
wine_runs_32bit || build=$build/x64
wine_session_start "$build"
# The X server resets its own priority at start.
renice -n -10 -p "$WINE_SESSION_XVFB" $(pgrep -f wineserver) >/dev/null 2>&1 || true

rows=$(mktemp)
for program in "$build"/bin/bench_*.exe; do
    (cd "$build/bin" && "$root/tools/wine-run" "$build" "$program" </dev/null 2>/dev/null | tr -d '\r') >>"$rows" || true
done

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $("$root/tools/wine-run" "$build" --version) ($(cat "$build/wine-arch")) on $(. /etc/os-release && echo "$PRETTY_NAME")"
echo
printf '| %-52s | %10s | %-34s | %10s | %6s | %-11s | %-18s |\n' "path" "time (us)" "baseline" "base (us)" "ratio" "spread" "target"
printf '|%s|%s|%s|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..54})" "$(printf -- '-%.0s' {1..12})" "$(printf -- '-%.0s' {1..36})" "$(printf -- '-%.0s' {1..12})" "$(printf -- '-%.0s' {1..8})" "$(printf -- '-%.0s' {1..13})" "$(printf -- '-%.0s' {1..20})"
grep '^ROW|' "$rows" | while IFS='|' read -r _ path time base basetime ratio lowest highest target; do
    printf '| %-52s | %10s | %-34s | %10s | %6s | %-11s | %-18s |\n' "$path" "$time" "$base" "$basetime" "$ratio" "$lowest-$highest" "$target"
done
echo
grep '^INFO|' "$rows" | while IFS='|' read -r _ what value target; do
    printf -- '- %s: %s (%s)\n' "$what" "$value" "$target"
done
rm -f "$rows"
