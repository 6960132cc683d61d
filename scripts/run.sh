#!/usr/bin/env bash
# Sets up, builds and opens the editor on the given picture, or on a bundled sample.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
picture="${1:-$PWD/resources/samples/20081231_1235.bmp}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "There is no display to open the editor on; run it inside a desktop session, or under a virtual one with: xvfb-run -a scripts/run.sh ${1:-}" >&2
  exit 1
fi
exec build/bin/lumveximgedt "$picture"
