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

echo "== format"
scripts/check-format.sh

echo "== normal build"
scripts/build.sh build
(cd build && ctest -j "$jobs" --output-on-failure)

echo "== fuzz targets (clang, libFuzzer)"
scripts/build.sh build-fuzz -DDLK_FUZZ=ON -DDLK_TESTS=OFF -DDLK_WITH_QT=OFF -DDLK_BENCH=OFF \
    -DDLK_COMPONENTS="platform;drawing;framework;tabs;client;server_edit;config;fuzz" \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
scripts/run-fuzz.sh build-fuzz/fuzz

echo "== sanitizer build"
scripts/build.sh build-asan -DDLK_SANITIZE=ON -DDLK_BENCH=OFF
(cd build-asan && ctest -j "$jobs" --output-on-failure)
