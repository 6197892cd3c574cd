#!/usr/bin/env bash
# Every test of Tavix, as `make test` runs them: the format check, the unit
# tests (plain and under ASan/UBSan), the Wine tests, the end-to-end tests and
# the fuzzers.
#
# The Wine and end-to-end tests spend most of their time waiting for Wine and
# for the clock, so they start as soon as their programs are built and run
# while the remaining builds go on beside them. The native builds, which no
# waiting test needs, run at the lowest CPU priority, so that a test waiting
# for a window is not starved by a compiler. Each stage's output is printed
# whole when the stage ends; the last lines list every stage with its result
# and time, and the exit code is non-zero when any stage failed.
set -uo pipefail
cd "$(dirname "$0")/.."

make --no-print-directory setup || exit 1

logs=build/test-logs
rm -rf "$logs"
mkdir -p "$logs"
started=$SECONDS

# run_stage <name> <command...>: runs the command with its output in the
# stage's log, then prints the log under one heading and notes the result.
run_stage() {
    local name=$1 begin=$SECONDS status=passed
    shift
    "$@" >"$logs/$name.log" 2>&1 || status=FAILED
    {
        flock 9
        echo "==== $name: $status in $((SECONDS - begin)) s ($((SECONDS - started)) s into the run) ===="
        cat "$logs/$name.log"
        printf '%-14s %-7s %4d s\n' "$name" "$status" $((SECONDS - begin)) >>"$logs/summary"
    } 9>"$logs/.print-lock"
    [ "$status" = passed ]
}

build() { make --no-print-directory "$@"; }
build_later() { nice -n 19 make --no-print-directory "$@"; }

# Builds in order of what they unlock: the shipped program first (for the
# end-to-end tests, the longest stage), then the Wine test binary, then the
# native builds, whose tests are short.
builds_and_quick_tests() {
    run_stage dist build dist || return 1
    run_stage e2e-test build run-e2e-tests &
    if run_stage windows build windows; then
        run_stage wine-test build run-wine-tests &
    fi
    run_stage unit-test build_later unit-test
    run_stage sanitize-test build_later sanitize-test
    run_stage fuzz-test build_later fuzz-test
    wait
}

run_stage format-check build_later format-check &
# The Wine prefix that the Wine and end-to-end tests clone, made while the
# programs build.
run_stage wine-prefix python3 tools/wine_prefix.py ready-or-make &
builds_and_quick_tests &
wait

echo "==== every stage, in $((SECONDS - started)) s ===="
sort -k1,1 "$logs/summary"
expected="dist e2e-test format-check fuzz-test sanitize-test unit-test windows wine-prefix wine-test"
if [ "$(awk '$2 == "passed" {print $1}' "$logs/summary" | sort | tr '\n' ' ')" = "$expected " ]; then
    echo "All tests passed."
    exit 0
fi
echo "Some tests failed or did not run."
exit 1
