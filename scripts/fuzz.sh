#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer in build-fuzz/ and runs each
# for the given number of seconds (default 60), one after the other:
#   scripts/fuzz.sh 600            every target
#   scripts/fuzz.sh 600 font       only the named ones
# New inputs collect in build-fuzz/corpus/<target>/, findings in
# build-fuzz/findings/<target>/; the seeds in fuzz/corpus/ are not changed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DLUMVEX_FUZZ=ON -DLUMVEX_TESTS=OFF -DLUMVEX_BENCH=OFF >/dev/null

targets=("$@")
if ((${#targets[@]} == 0)); then
  for seeds in fuzz/corpus/*/; do targets+=("$(basename "$seeds")"); done
fi
cmake --build build-fuzz --target "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
status=0
for t in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$t" "build-fuzz/findings/$t"
  echo "== $t: $seconds s"
  # An input that takes more than 3 s counts as a finding: the window must not
  # stop answering for a file.
  build-fuzz/bin/"fuzz_$t" -max_total_time="$seconds" -timeout=3 -rss_limit_mb=2560 \
    -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$t/" \
    "build-fuzz/corpus/$t" "fuzz/corpus/$t" >"build-fuzz/$t.log" 2>&1 || true
  grep -E "^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb|SUMMARY)" "build-fuzz/$t.log" || true
  if ls "build-fuzz/findings/$t"/* >/dev/null 2>&1; then
    echo "!! $t: findings in build-fuzz/findings/$t/"
    status=1
  fi
done
exit $status
