#!/usr/bin/env bash
# build.sh DIR [--target NAME] [cmake options...]: configures DIR once and
# builds it (everything, or only NAME and what it needs).
set -euo pipefail
dir=$1; shift
target=()
if [ "${1:-}" = "--target" ]; then
    target=(--target "$2"); shift 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
if [ ! -f "$root/$dir/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$root/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
fi
cmake --build "$root/$dir" -j "$(nproc)" "${target[@]}"
