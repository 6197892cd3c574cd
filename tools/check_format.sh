#!/usr/bin/env bash
# Fails when a C or C++ source of ours differs from what clang-format makes of
# it (.clang-format at the top of the tree). Lists the files to reformat.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "check_format: clang-format is missing (tools/setup.sh installs it)"; exit 1; }
# One clang-format for many files, two at a time; only when that fails is each
# file checked alone to name the ones to reformat.
if git ls-files -z '*.c' '*.cpp' '*.h' | xargs -0 -n 64 -P 2 clang-format --dry-run --Werror >/dev/null 2>&1; then
    echo "check_format: all sources formatted"
    exit 0
fi
bad=()
while IFS= read -r -d '' f; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done < <(git ls-files -z '*.c' '*.cpp' '*.h')
if [ ${#bad[@]} -gt 0 ]; then
    echo "check_format: not formatted (run clang-format -i on them):"
    printf '  %s\n' "${bad[@]}"
    exit 1
fi
echo "check_format: all sources formatted"
