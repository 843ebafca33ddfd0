#!/usr/bin/env bash
# check-format.sh: fails when a tracked C++ file differs from .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
