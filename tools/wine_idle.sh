#!/usr/bin/env bash
# What a running clock costs while nothing but its hands move: the CPU time and
# resident memory of the Tavix process under Wine over some seconds, beside the
# floor, a bare layered window of the clock's size given its whole picture once
# a second (probe.exe layered-floor ... 1000), measured in turn in one prefix.
#   tools/wine_idle.sh <probe.exe> <preset file> <seconds> <program folder>...
# Each folder is measured at the defaults and at 300 % zoom with AAMethod 2,
# so that two builds can be compared side by side in one run. Figures come from
# /proc (utime + stime, VmRSS); each process runs 12 s before it is measured.
# TAVIX_IDLE_SMAPS=<folder> keeps a copy of each process's smaps there.
set -euo pipefail
probe=$(realpath "$1")
preset=$2
seconds=$3
shift 3
folders=()
for folder in "$@"; do folders+=("$(realpath "$folder")"); done
[ "${#folders[@]}" -gt 0 ] || { echo "usage: $0 <probe.exe> <preset> <seconds> <program folder>..." >&2; exit 2; }
. "$(dirname "$0")/wine_env.sh"
tavix_wine_env
key='HKCU\Software\Quandel\Tavix'
settle=12

# Processes of this prefix whose command line holds $1.
ours() {
    for p in $(pgrep -f "$1" 2>/dev/null); do
        tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$p"
    done
    return 0
}

# Prints "<cpu %> <resident MB>" of the first process matching $1, then ends the prefix's programs.
measure() {
    local pattern=$1 label=$2 pid t0 t1 rss ticks
    sleep "$settle"
    pid=$(ours "$pattern" | head -n1)
    if [ -z "$pid" ]; then
        echo "- -"
        wineserver -k || true
        return
    fi
    ticks=$(getconf CLK_TCK)
    t0=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    sleep "$seconds"
    t1=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
    [ -n "${TAVIX_IDLE_SMAPS:-}" ] && cp "/proc/$pid/smaps" "$TAVIX_IDLE_SMAPS/smaps.$label" 2>/dev/null
    awk -v a="$t0" -v b="$t1" -v t="$ticks" -v s="$seconds" -v r="$rss" \
        'BEGIN {printf "%.3f %.1f\n", 100 * (b - a) / t / s, r / 1024}'
    wineserver -k || true
    sleep 1
}

# The clock's window size once it shows: "<width> <height>".
clock_size() {
    wine "$probe" windows 2>/dev/null | python3 -c '
import json, sys
for line in sys.stdin:
    w = json.loads(line)
    if w["title"] == "Tavix" and w["visible"]:
        print(w["rect"][2] - w["rect"][0], w["rect"][3] - w["rect"][1]); break'
}

for config in defaults zoom300-aa2; do
    size=
    for folder in "${folders[@]}"; do
        wine reg delete "$key" /f >/dev/null 2>&1 || true
        wine reg add "$key" /v BackgrndBitmap /t REG_SZ /d "$preset" /f >/dev/null 2>&1
        if [ "$config" = zoom300-aa2 ]; then
            wine reg add "$key" /v AAMethod /t REG_DWORD /d 2 /f >/dev/null 2>&1
            wine reg add "$key" /v UseZoom /t REG_DWORD /d 1 /f >/dev/null 2>&1
            wine reg add "$key" /v ZoomValue /t REG_DWORD /d 300 /f >/dev/null 2>&1
        fi
        wineserver -w
        (cd "$folder" && wine Tavix.exe >/dev/null 2>&1 &)
        sleep 5
        [ -n "$size" ] || size=$(clock_size)
        read -r cpu mb <<<"$(measure Tavix.exe "$config.$(basename "$(dirname "$folder")")-$(basename "$folder")")"
        echo "$config, $folder: $cpu % of a core, $mb MB resident"
    done
    read -r width height <<<"${size:-240 240}"
    (wine "$probe" layered-floor "$width" "$height" $((settle + seconds + 10)) 1000 >/dev/null 2>&1 &)
    read -r cpu mb <<<"$(measure layered-floor "$config.floor")"
    echo "$config, bare layered window ${width}x${height} updated once a second: $cpu % of a core, $mb MB resident"
done
