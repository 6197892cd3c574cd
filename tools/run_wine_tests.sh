#!/usr/bin/env bash
# Runs the Win32 test binary under Wine in throwaway prefixes. The tests are
# split into $TAVIX_WINE_SHARDS parts (3 by default) that run side by side, each
# with its own prefix and Xvfb; a part's output is printed whole when it ends.
#   tools/run_wine_tests.sh <tavix_wine_tests.exe> [gtest flags]
set -euo pipefail
exe=$(realpath "$1")
shift
here=$(dirname "$0")
shards=${TAVIX_WINE_SHARDS:-3}

# Whether a run's output ends as every finished run of the tests does. A test
# program that crashes can end with exit code 0 under Wine once its debugger
# has printed the crash; without this, its untried tests would count as passed.
finished() {
    if grep -q '^\[==========\] [0-9]* tests\? from .* ran' "$1"; then
        return 0
    fi
    echo "run_wine_tests: the test program ended before its tests had all run" >&2
    return 1
}

if [ "$shards" -le 1 ]; then
    . "$here/wine_env.sh"
    tavix_wine_env
    cd "$(dirname "$exe")"
    log=$(mktemp)
    trap 'rm -f "$log"' EXIT
    status=0
    timeout 1200 wine "$exe" --gtest_brief=1 "$@" 2>&1 | tee "$log" || status=$?
    finished "$log" || status=1
    exit $status
fi

# The prefix that every part clones, made once before they start.
python3 "$here/wine_prefix.py" ready-or-make
logs=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait; rm -rf "$logs"' EXIT
for i in $(seq 0 $((shards - 1))); do
    (
        export TAVIX_PRIVATE_X=1 GTEST_TOTAL_SHARDS=$shards GTEST_SHARD_INDEX=$i
        . "$here/wine_env.sh"
        tavix_wine_env
        cd "$(dirname "$exe")"
        timeout 1200 wine "$exe" --gtest_brief=1 "$@"
    ) >"$logs/$i" 2>&1 &
    pids+=($!)
done
failed=0
for i in "${!pids[@]}"; do
    wait "${pids[$i]}" || failed=1
    echo "---- Wine tests, part $((i + 1)) of $shards ----"
    cat "$logs/$i"
    finished "$logs/$i" || failed=1
done
pids=()
exit $failed
