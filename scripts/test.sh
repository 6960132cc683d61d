#!/usr/bin/env bash
# Sets up, builds, checks the formatting of every C++ file and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run --Werror
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2
