#!/usr/bin/env bash
# run-benchmarks.sh DIR: runs every benchmark of the build folder DIR once, for
# the shortest time, so that one that crashes or reports an error fails the
# run; the figures themselves mean nothing here. Logs go to DIR/bench/logs/.
set -euo pipefail
dir=$1
list="$dir/bench/benchmarks.txt"
[ -s "$list" ] || { echo "no benchmarks listed in $list"; exit 1; }
mkdir -p "$dir/bench/logs"
export QT_QPA_PLATFORM=offscreen
failed=()
while IFS= read -r benchmark; do
    name=$(basename "$benchmark")
    log="$dir/bench/logs/$name.log"
    start=$SECONDS
    if "$benchmark" --benchmark_min_time=0 >"$log" 2>&1 && ! grep -q "ERROR OCCURRED" "$log"; then
        echo "-- $name: ran in $((SECONDS - start)) s"
    else
        cat "$log"
        failed+=("$name")
    fi
done <"$list"
if [ ${#failed[@]} -gt 0 ]; then
    echo "benchmarks failed: ${failed[*]}"
    exit 1
fi
