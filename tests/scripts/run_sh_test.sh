#!/usr/bin/env bash
# run.sh without a picture opens a copy of the samples in the user's data folder,
# keeps copies the user already has, and leaves the repository's samples alone.
set -euo pipefail
repo="$(cd "$(dirname "$0")/../.." && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
printf '#!/bin/sh\necho "$1" > "%s/opened"\n' "$scratch" > "$scratch/editor"
chmod +x "$scratch/editor"
run() {
  XDG_DATA_HOME="$scratch/data" LUMVEX_SKIP_SETUP=1 LUMVEX_EDITOR="$scratch/editor" \
    DISPLAY="${DISPLAY:-:99}" "$repo/scripts/run.sh"
}
fail() { echo "FAIL: $*" >&2; exit 1; }

samples="$scratch/data/LumvexImgEdt/samples"
run
[ "$(cat "$scratch/opened")" = "$samples/20081231_1235.bmp" ] || fail "opened $(cat "$scratch/opened")"
for f in "$repo"/resources/samples/*.* "$repo"/resources/samples/Info/*; do
  copy="$samples/${f#"$repo"/resources/samples/}"
  cmp -s "$f" "$copy" || fail "no copy of $f"
done
echo edited > "$samples/Info/20081231_1235"
run
[ "$(cat "$samples/Info/20081231_1235")" = edited ] || fail "a second run replaced the user's copy"
echo PASS
