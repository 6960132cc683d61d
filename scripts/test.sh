#!/usr/bin/env bash
# Sets up, builds, checks the formatting of every C++ file and runs every test
# headless, then the same suite under the sanitizers. LUMVEX_FAST=1 runs only the
# fast suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run --Werror
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2

# ---- sanitizer suite (ASan + UBSan build in build-asan/, fuzz corpus replay) ----
if [ "${LUMVEX_FAST:-0}" != 1 ]; then
  scripts/sanitize.sh
fi
# ---- end of sanitizer suite ----
