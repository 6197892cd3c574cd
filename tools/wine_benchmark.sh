#!/usr/bin/env bash
# Runs "Tavix.exe -benchmark" under Wine for a preset at each smoothing method,
# with and without 300 % zoom, and prints the median frame rate of several runs.
#   tools/wine_benchmark.sh <program folder> <probe.exe> <preset file> [runs]
set -euo pipefail
dist=$(realpath "$1")
probe=$(realpath "$2")
preset=$3
runs=${4:-5}
. "$(dirname "$0")/wine_env.sh"
tavix_wine_env
key='HKCU\Software\Quandel\Tavix'

bench_once() {
    (cd "$dist" && wine Tavix.exe -benchmark >/dev/null 2>&1 &)
    local box
    box=$(wine "$probe" wait-msgbox 120000 2>/dev/null | head -n1)
    local hwnd text
    hwnd=$(python3 -c 'import json,sys; print(json.loads(sys.argv[1])["hwnd"])' "$box")
    text=$(python3 -c 'import json,sys; print(" ".join(json.loads(sys.argv[1])["texts"]))' "$box")
    wine "$probe" click "$hwnd" 1 >/dev/null 2>&1 || true
    wineserver -w
    echo "$text" | sed -n 's/^\([0-9.]*\) fps.*/\1/p'
}

for zoom in 0 1; do
    for method in 0 1 2; do
        [ "$method" = 2 ] && [ "${preset##*.}" = bmp ] && continue
        wine reg add "$key" /v BackgrndBitmap /t REG_SZ /d "$preset" /f >/dev/null 2>&1
        wine reg add "$key" /v AAMethod /t REG_DWORD /d "$method" /f >/dev/null 2>&1
        wine reg add "$key" /v UseZoom /t REG_DWORD /d "$zoom" /f >/dev/null 2>&1
        wine reg add "$key" /v ZoomValue /t REG_DWORD /d 300 /f >/dev/null 2>&1
        results=()
        for _ in $(seq "$runs"); do results+=("$(bench_once)"); done
        median=$(printf '%s\n' "${results[@]}" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
        echo "$preset AAMethod $method zoom $([ "$zoom" = 1 ] && echo 300% || echo off): median $median fps (runs: ${results[*]})"
    done
done
