#!/usr/bin/env bash
# Runs the Win32 test binary under Wine in a throwaway prefix.
set -euo pipefail
exe=$(realpath "$1")
shift
. "$(dirname "$0")/wine_env.sh"
tavix_wine_env
cd "$(dirname "$exe")"
timeout 1200 wine "$exe" --gtest_brief=1 "$@"
