#!/usr/bin/env bash
# build.sh DIR [--target NAME] [cmake options...]: configures DIR and builds it
# (everything, or only NAME and what it needs). DIR is configured afresh
# whenever the options differ from those of its last configure, so it always
# holds exactly the options given.
set -euo pipefail
dir=$1; shift
target=()
if [ "${1:-}" = "--target" ]; then
    target=(--target "$2"); shift 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "$@")
record="$root/$dir/build-options.txt"
wanted=$(printf '%s\n' "${options[@]}")
if [ ! -f "$root/$dir/CMakeCache.txt" ] || [ "$(cat "$record" 2>/dev/null)" != "$wanted" ]; then
    fresh=()
    if [ -f "$root/$dir/CMakeCache.txt" ]; then
        echo "build.sh: $dir was configured with other options; configuring it afresh"
        fresh=(--fresh)
    fi
    rm -f "$record"
    cmake "${fresh[@]}" -S "$root" -B "$root/$dir" "${options[@]}" >/dev/null
    printf '%s\n' "$wanted" >"$record"
fi
cmake --build "$root/$dir" -j "$(nproc)" "${target[@]}"
