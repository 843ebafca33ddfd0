#!/usr/bin/env bash
# ./test.sh: installs what is missing, builds, and runs every test: the normal
# build, a short run of each fuzz target built with clang's libFuzzer, and the
# same tests again built with AddressSanitizer and UBSan.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
# Both sanitizer builds are compiled not to recover from UBSan findings; this
# stops at any check that still could, and puts a stack under every report.
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

echo "== format"
scripts/check-format.sh

echo "== normal build"
scripts/build.sh build
(cd build && ctest -j "$jobs" --output-on-failure)

echo "== fuzz targets (clang, libFuzzer)"
scripts/build.sh build-fuzz -DDLK_FUZZ=ON -DDLK_TESTS=OFF -DDLK_WITH_QT=OFF -DDLK_BENCH=OFF \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
scripts/run-fuzz.sh build-fuzz/fuzz
# A run that printed a sanitizer report and went on would hide every finding.
if probe=$(scripts/run-fuzz.sh build-fuzz/fuzz-probe 2>&1) || ! grep -q "runtime error:" <<<"$probe"; then
    echo "$probe"
    echo "the fuzz run did not stop and fail at a sanitizer report"
    exit 1
fi

echo "== sanitizer build"
scripts/build.sh build-asan -DDLK_SANITIZE=ON -DDLK_BENCH=OFF
(cd build-asan && ctest -j "$jobs" --output-on-failure)
