#!/usr/bin/env bash
# Sets up, builds and opens the editor on the given picture, or on a copy of the
# bundled samples in the user's data folder, so that editing, browsing and closing
# never change the repository. LUMVEX_SKIP_SETUP=1 skips the set-up and build;
# LUMVEX_EDITOR names another program to open the picture with.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${LUMVEX_SKIP_SETUP:-0}" = 1 ] || scripts/setup.sh
if [ $# -eq 0 ]; then
  samples="${XDG_DATA_HOME:-$HOME/.local/share}/LumvexImgEdt/samples"
  mkdir -p "$samples"
  # Files the user already has there, edited or not, are kept.
  cp -R -n resources/samples/. "$samples/"
  picture="$samples/20081231_1235.bmp"
else
  picture="$1"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "There is no display to open the editor on; run it inside a desktop session, or under a virtual one with: xvfb-run -a scripts/run.sh ${1:-}" >&2
  exit 1
fi
exec "${LUMVEX_EDITOR:-build/bin/lumveximgedt}" "$picture"
