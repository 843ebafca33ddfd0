#!/usr/bin/env bash
# ./test.sh: installs what is missing, builds, and runs every test: the normal
# build, then side by side one short run of each benchmark, a short run of
# each fuzz target built with clang's libFuzzer, and the same tests again
# built with AddressSanitizer and UBSan. Each stage prints its time.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
# Both sanitizer builds are compiled not to recover from UBSan findings; this
# stops at any check that still could, and puts a stack under every report.
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

started=$SECONDS
# stage NAME COMMAND...: runs one stage and prints how long it took.
stage() {
    local name=$1 start=$SECONDS
    shift
    echo "== $name"
    "$@"
    echo "== $name: $((SECONDS - start)) s"
}

normal_build() {
    scripts/build.sh build
    (cd build && ctest -j "$jobs" --output-on-failure)
}

fuzz_targets() {
    scripts/build.sh build-fuzz -DDLK_FUZZ=ON -DDLK_TESTS=OFF -DDLK_WITH_QT=OFF -DDLK_BENCH=OFF \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
    scripts/run-fuzz.sh build-fuzz/fuzz
    # A run that printed a sanitizer report and went on would hide every finding.
    local probe
    if probe=$(scripts/run-fuzz.sh build-fuzz/fuzz-probe 2>&1) || ! grep -q "runtime error:" <<<"$probe"; then
        echo "$probe"
        echo "the fuzz run did not stop and fail at a sanitizer report"
        return 1
    fi
}

sanitizer_build() {
    scripts/build.sh build-asan -DDLK_SANITIZE=ON -DDLK_BENCH=OFF
    (cd build-asan && ctest -j "$jobs" --output-on-failure)
}

stage format scripts/check-format.sh
stage "normal build" normal_build

# The benchmark runs and the fuzz runs take a core or two at a time: they go
# beside the sanitizer build, each with its output kept in build-logs/ and
# shown once the sanitizer stage is over.
mkdir -p build-logs
(stage "benchmarks (each once, shortest time)" scripts/run-benchmarks.sh build) >build-logs/benchmarks.log 2>&1 &
benchmarks_pid=$!
(stage "fuzz targets (clang, libFuzzer)" fuzz_targets) >build-logs/fuzz.log 2>&1 &
fuzz_pid=$!
# In the background too: a subshell on the left of || would run with errexit
# off and go on past a failed build.
(stage "sanitizer build" sanitizer_build) &
sanitizer_pid=$!

failed=()
wait "$sanitizer_pid" || failed+=("sanitizer build")
wait "$benchmarks_pid" || failed+=(benchmarks)
cat build-logs/benchmarks.log
wait "$fuzz_pid" || failed+=("fuzz targets")
cat build-logs/fuzz.log

if ((${#failed[@]})); then
    printf '== failed: %s\n' "${failed[@]}"
    exit 1
fi
echo "== all stages: $((SECONDS - started)) s"
