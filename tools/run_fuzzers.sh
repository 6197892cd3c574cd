#!/usr/bin/env bash
# Runs every fuzz target for a bounded time, starting from its seed corpus. The
# targets run side by side (each uses one core), so the whole takes about the
# time of one.
set -euo pipefail
dir=$1
seconds=$2
here=$(cd "$(dirname "$0")/.." && pwd)
shopt -s nullglob
names=()
pids=()
for fuzzer in "$dir"/*_fuzz; do
    # not the corpus folders beside them (corpus-<name>)
    [ -f "$fuzzer" ] && [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer")
    corpus="$dir/corpus-$name"
    mkdir -p "$corpus"
    seeds="$here/tests/fuzz/seeds/$name"
    args=("$corpus")
    [ -d "$seeds" ] && args+=("$seeds")
    echo "fuzz: $name for ${seconds}s"
    "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=0 "${args[@]}" \
        >/dev/null 2>"$dir/$name.log" &
    names+=("$name")
    pids+=($!)
done
failed=0
for i in "${!pids[@]}"; do
    if ! wait "${pids[$i]}"; then
        echo "fuzz: ${names[$i]} failed:"
        tail -n 40 "$dir/${names[$i]}.log"
        failed=1
    fi
done
exit $failed
