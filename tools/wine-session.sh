# Sourced by the scripts that run Windows programs: one Xvfb and one
# persistent wineserver for the whole run, with a Wine prefix inside the
# build folder. wine_session_stop undoes both.

wine_session_start() {
    local build=$1
    mkdir -p "$build/wineprefix"
    export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

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
    wine cmd /c exit >/dev/null 2>&1 </dev/null
    # No window manager runs on Xvfb: unmanaged windows keep Wine from
    # waiting two seconds for one on every hide and destroy.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
}

wine_session_stop() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "${WINE_SESSION_XVFB:-}" ]; then
        kill "$WINE_SESSION_XVFB" 2>/dev/null || true
        wait "$WINE_SESSION_XVFB" 2>/dev/null || true
    fi
}
