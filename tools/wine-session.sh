# Sourced by the scripts that run Windows programs: one Xvfb and one
# persistent wineserver for the whole run, with a Wine prefix inside the
# build folder. wine_session_stop undoes both. Programs of the build run
# through tools/wine-run, which picks the prefix kind and loader for it.

wine_session_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Whether this machine runs 32-bit x86 programs at all: some virtual
# machines' kernels refuse them ("Exec format error"), and with them the
# 32-bit Wine.
wine_runs_32bit() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

wine_session_start() {
    local build=$1
    mkdir -p "$build/wineprefix"
    export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    WINEARCH=$(cat "$build/wine-arch" 2>/dev/null || echo win32)
    export WINEARCH

    # Xvfb picks a free display and writes its number.
    rm -f "$build/xvfb.display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$build/xvfb.display" >/dev/null 2>&1 </dev/null &
    WINE_SESSION_XVFB=$!
    local waited=0
    while [ ! -s "$build/xvfb.display" ] && [ $waited -lt 100 ]; do sleep 0.1; waited=$((waited + 1)); done
    if [ ! -s "$build/xvfb.display" ]; then
        echo "wine-session: Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$(head -n 1 "$build/xvfb.display")"
    echo "$DISPLAY" >"$build/wine-display"

    # The first program of a session starts explorer and the device services,
    # which keep the stdio they inherit: give them none, or whatever reads
    # our output waits forever for its end.
    wineserver -p >/dev/null 2>&1 </dev/null &
    "$wine_session_tools/wine-run" "$build" cmd /c exit >/dev/null 2>&1 </dev/null
    # No window manager runs on Xvfb: unmanaged windows keep Wine from
    # waiting two seconds for one on every hide and destroy.
    "$wine_session_tools/wine-run" "$build" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
}

wine_session_stop() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "${WINE_SESSION_XVFB:-}" ]; then
        kill "$WINE_SESSION_XVFB" 2>/dev/null || true
        wait "$WINE_SESSION_XVFB" 2>/dev/null || true
    fi
}
