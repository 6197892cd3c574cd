#!/usr/bin/env bash
# Runs the clock from a program folder under Wine (called by `make run`).
#
# With a DISPLAY: starts Tavix.exe on it and waits until the clock is closed
# (Exit in its right-click menu, or Escape while it has the focus).
# Without one: starts a private Xvfb, lets the clock run a few seconds, saves a
# screenshot around it to build/screenshot.png, prints that path and ends
# everything.
#
# Both use the Wine prefix build/wineprefix, kept between runs so that the
# clock's settings (HKCU\Software\Quandel\Tavix) survive like on a real
# machine. Delete that folder to start as a new user.
set -euo pipefail

dist=$(realpath "${1:?usage: run_clock.sh <program folder> [arguments of Tavix.exe]}")
shift
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
probe=$(realpath -m "${TAVIX_PROBE:-$build/win/probe.exe}")
shot="$build/screenshot.png"
seconds=${TAVIX_RUN_SECONDS:-5}

export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64

[ -f "$dist/Tavix.exe" ] || { echo "run_clock: $dist/Tavix.exe is missing" >&2; exit 1; }

xvfb_pid=""
cleanup() {
    if [ -z "${keep_wine:-}" ]; then wineserver -k >/dev/null 2>&1 || true; fi
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    [ -n "${fdfile:-}" ] && rm -f "$fdfile"
    return 0
}
trap cleanup EXIT

headless=""
if [ -z "${DISPLAY:-}" ]; then
    headless=1
    fdfile=$(mktemp)
    # Xvfb picks a free display itself and writes its number to the file.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -br 3>"$fdfile" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
    [ -s "$fdfile" ] || { echo "run_clock: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(head -n1 "$fdfile")"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "run_clock: making the Wine prefix $WINEPREFIX (once, about 10 s)"
    timeout 300 wineboot -i >/dev/null 2>&1 || true
    timeout 120 wineserver -w >/dev/null 2>&1 || true
fi

cd "$dist"
if [ -z "$headless" ]; then
    echo "run_clock: Tavix runs on $DISPLAY; settings are kept in $WINEPREFIX"
    keep_wine=1
    wine "$dist/Tavix.exe" "$@" >/dev/null 2>&1
    exit 0
fi

wine "$dist/Tavix.exe" >/dev/null 2>&1 &
tavix_pid=$!
geometry=""
if [ -f "$probe" ]; then
    # The probe's window record: {"hwnd": .., "rect": [left, top, right, bottom], ...}
    window=$(timeout 90 wine "$probe" wait-window Tavix 60000 2>/dev/null | tr -d '\r' || true)
    if [ -n "$window" ]; then
        sleep "$seconds"
        # Wine's own tray window lies in the top-left corner, over the clock.
        timeout 30 wine "$probe" hide-tray >/dev/null 2>&1 || true
        # X unmaps it a second or two after Wine has hidden it.
        for _ in $(seq 50); do
            xwininfo -name "Wine System Tray" 2>/dev/null | grep -q IsViewable || break
            sleep 0.2
        done
        geometry=$(printf '%s' "$window" | python3 -c '
import json, sys
l, t, r, b = json.load(sys.stdin)["rect"]
m = 16
l, t = max(0, l - m), max(0, t - m)
print("%dx%d+%d+%d" % (r + m - l, b + m - t, l, t))')
    else
        echo "run_clock: no clock window appeared; the screenshot shows the whole screen" >&2
    fi
else
    sleep "$seconds"
fi
if ! kill -0 "$tavix_pid" 2>/dev/null; then
    echo "run_clock: Tavix.exe ended by itself" >&2
fi
if [ -n "$geometry" ]; then
    timeout 60 import -display "$DISPLAY" -window root -crop "$geometry" +repage "$shot"
else
    timeout 60 import -display "$DISPLAY" -window root "$shot"
fi
echo "$shot"
