# Sourced by the scripts that run Windows programs: a throwaway Wine prefix and,
# when there is no display, a private Xvfb. Everything is removed on exit.
tavix_wine_env() {
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEARCH=win64
    WINEPREFIX=$(mktemp -d /tmp/tavix-wine.XXXXXX)
    export WINEPREFIX
    if [ -z "${DISPLAY:-}" ] || [ -n "${TAVIX_PRIVATE_X:-}" ]; then
        local n
        for n in $(seq 90 140); do
            [ -e "/tmp/.X$n-lock" ] || break
        done
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        TAVIX_XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    fi
    trap tavix_wine_cleanup EXIT
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
    tavix_no_crash_dialog
}

# A crashing program must end, not wait in Wine's crash dialog for a click.
tavix_no_crash_dialog() {
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
    wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
}

tavix_wine_cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "${TAVIX_XVFB_PID:-}" ] && kill "$TAVIX_XVFB_PID" 2>/dev/null
    [ -n "${WINEPREFIX:-}" ] && case "$WINEPREFIX" in /tmp/tavix-wine.*) rm -rf "$WINEPREFIX" ;; esac
    return 0
}
