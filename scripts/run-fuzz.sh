#!/usr/bin/env bash
# Runs every fuzz target in DIR for a bounded number of inputs. A clean run
# shows its last lines; a failing one shows its whole report, and the script
# fails once every target has run. Logs and failing inputs go to DIR/artifacts/.
set -euo pipefail
dir=$1
shopt -s nullglob
mkdir -p "$dir/artifacts"
failed=()
for target in "$dir"/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    log="$dir/artifacts/$name.log"
    options=(-runs=200000 -max_len=2048 -seed=1 -artifact_prefix="$dir/artifacts/$name-")
    [ -f "$target.dict" ] && options+=(-dict="$target.dict")
    echo "-- $name"
    if "$target" "${options[@]}" >"$log" 2>&1; then
        tail -n 2 "$log"
    else
        # Progress lines ("#1234 NEW ...") say nothing about the fault.
        grep -v '^#[0-9]' "$log" || true
        failed+=("$name")
    fi
done
if [ -z "${name:-}" ]; then
    echo "no fuzz targets in $dir"
    exit 1
fi
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz targets failed: ${failed[*]}"
    exit 1
fi
