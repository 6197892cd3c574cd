#!/usr/bin/env bash
# Runs every fuzz target for a bounded time, starting from its seed corpus.
set -euo pipefail
dir=$1
seconds=$2
here=$(cd "$(dirname "$0")/.." && pwd)
shopt -s nullglob
for fuzzer in "$dir"/*_fuzz; do
    name=$(basename "$fuzzer")
    corpus="$dir/corpus-$name"
    mkdir -p "$corpus"
    seeds="$here/tests/fuzz/seeds/$name"
    args=("$corpus")
    [ -d "$seeds" ] && args+=("$seeds")
    echo "fuzz: $name for ${seconds}s"
    "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=0 "${args[@]}" 2>"$dir/$name.log" ||
        { tail -n 40 "$dir/$name.log"; exit 1; }
done
