# Sourced by the scripts that run Windows programs: a throwaway Wine prefix (a
# clone of the one wineboot made once, tools/wine_prefix.py) and, when there is
# no display, a private Xvfb. Everything is removed on exit.
tavix_wine_env() {
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    export WINEARCH=win64
    WINEPREFIX=$(mktemp -d /tmp/tavix-wine.XXXXXX)
    export WINEPREFIX
    trap tavix_wine_cleanup EXIT
    if [ -z "${DISPLAY:-}" ] || [ -n "${TAVIX_PRIVATE_X:-}" ]; then
        # Xvfb picks a free display itself, so parallel runs never share one.
        local fdfile
        fdfile=$(mktemp)
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
        TAVIX_XVFB_PID=$!
        for _ in $(seq 200); do [ -s "$fdfile" ] && break; sleep 0.1; done
        DISPLAY=":$(head -n1 "$fdfile")"
        rm -f "$fdfile"
        [ "$DISPLAY" != ":" ] || { echo "wine_env: Xvfb did not start within 20 s" >&2; return 1; }
        export DISPLAY
    fi
    # The clone has the crash dialog off: a crashing program ends instead of waiting for a click.
    python3 "$(dirname "${BASH_SOURCE[0]}")/wine_prefix.py" clone "$WINEPREFIX"
}

tavix_wine_cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "${TAVIX_XVFB_PID:-}" ] && kill "$TAVIX_XVFB_PID" 2>/dev/null
    [ -n "${WINEPREFIX:-}" ] && case "$WINEPREFIX" in /tmp/tavix-wine.*) rm -rf "$WINEPREFIX" ;; esac
    return 0
}
