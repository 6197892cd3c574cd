#!/usr/bin/env bash
# Runs "Tavix.exe -benchmark" under Wine for a preset at each smoothing method,
# with and without 300 % zoom, and prints the median frame rate of several runs
# beside the floor: a bare layered window of the clock's size given its whole
# picture as often (probe.exe layered-floor), measured in turn with each run;
# and beside it the same window given a disc in transparent corners, the shape
# of a round face, which Wine shapes the window after on every update.
#   tools/wine_benchmark.sh <program folder> <probe.exe> <preset file> [runs]
# TAVIX_BENCH_DPI=144 or 192 runs the prefix at 150 or 200 % display scale;
# TAVIX_BENCH_ZOOMS="0" (or "1") measures without (or with) the 300 % zoom only.
set -euo pipefail
dist=$(realpath "$1")
probe=$(realpath "$2")
preset=$3
runs=${4:-5}
dpi=${TAVIX_BENCH_DPI:-96}
. "$(dirname "$0")/wine_env.sh"
tavix_wine_env
key='HKCU\Software\Quandel\Tavix'
for dpi_key in 'HKCU\Control Panel\Desktop' \
    'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    wine reg add "$dpi_key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
done
wineserver -w

json_field() {
    python3 -c 'import json,sys; v=json.loads(sys.argv[1])[sys.argv[2]]; print(" ".join(map(str, v)) if isinstance(v, list) else v)' "$1" "$2"
}

# Prints "<clock fps> <floor fps> <width>x<height>".
bench_once() {
    (cd "$dist" && wine Tavix.exe -benchmark >/dev/null 2>&1 &)
    local box hwnd text rect width height
    box=$(wine "$probe" wait-msgbox 120000 2>/dev/null | head -n1)
    hwnd=$(json_field "$box" hwnd)
    text=$(json_field "$box" texts)
    # The clock's window: titled as the message box is, but not the box.
    rect=$(wine "$probe" windows 2>/dev/null | python3 -c '
import json, sys
for line in sys.stdin:
    w = json.loads(line)
    if w["title"] == "Tavix" and w["hwnd"] != int(sys.argv[1]) and w["visible"]:
        print(w["rect"][2] - w["rect"][0], w["rect"][3] - w["rect"][1]); break' "$hwnd")
    wine "$probe" click "$hwnd" 1 >/dev/null 2>&1 || true
    wineserver -w
    read -r width height <<<"$rect"
    local floor round
    floor=$(wine "$probe" layered-floor "$width" "$height" 2000 2>/dev/null | sed -n 's/^\([0-9.]*\) fps.*/\1/p')
    wineserver -w
    round=$(wine "$probe" layered-floor "$width" "$height" 2000 round 2>/dev/null | sed -n 's/^\([0-9.]*\) fps.*/\1/p')
    wineserver -w
    echo "$(echo "$text" | sed -n 's/^\([0-9.]*\) fps.*/\1/p') $floor $round ${width}x${height}"
}

median() { sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

for zoom in ${TAVIX_BENCH_ZOOMS:-0 1}; do
    for method in 0 1 2; do
        [ "$method" = 2 ] && [ "${preset##*.}" = bmp ] && continue
        wine reg add "$key" /v BackgrndBitmap /t REG_SZ /d "$preset" /f >/dev/null 2>&1
        wine reg add "$key" /v AAMethod /t REG_DWORD /d "$method" /f >/dev/null 2>&1
        wine reg add "$key" /v UseZoom /t REG_DWORD /d "$zoom" /f >/dev/null 2>&1
        wine reg add "$key" /v ZoomValue /t REG_DWORD /d 300 /f >/dev/null 2>&1
        clock=() floor=() ratios=() rounds=() round_ratios=() size=
        for _ in $(seq "$runs"); do
            read -r c f r size <<<"$(bench_once)"
            clock+=("$c")
            floor+=("$f")
            rounds+=("$r")
            ratios+=("$(awk -v c="$c" -v f="$f" 'BEGIN {printf "%.2f", (c > 0 ? f / c : 0)}')")
            round_ratios+=("$(awk -v c="$c" -v f="$r" 'BEGIN {printf "%.2f", (c > 0 ? f / c : 0)}')")
        done
        echo "$preset at $dpi DPI, AAMethod $method, zoom $([ "$zoom" = 1 ] && echo 300% || echo off), window $size:" \
            "clock median $(printf '%s\n' "${clock[@]}" | median) fps, floor median $(printf '%s\n' "${floor[@]}" | median) fps," \
            "frame / floor $(printf '%s\n' "${ratios[@]}" | median) (runs: ${ratios[*]});" \
            "round floor median $(printf '%s\n' "${rounds[@]}" | median) fps," \
            "frame / round floor $(printf '%s\n' "${round_ratios[@]}" | median) (runs: ${round_ratios[*]})"
    done
done
