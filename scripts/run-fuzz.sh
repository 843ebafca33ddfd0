#!/usr/bin/env bash
# Runs every fuzz target in DIR for a bounded number of inputs.
set -euo pipefail
dir=$1
shopt -s nullglob
for target in "$dir"/fuzz_*; do
    [ -x "$target" ] || continue
    echo "-- $(basename "$target")"
    "$target" -runs=200000 -max_len=2048 -seed=1 2>&1 | tail -n 2
done
