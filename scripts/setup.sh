#!/usr/bin/env bash
# Installs what building, running and testing need on a fresh Debian 12 machine,
# then configures and builds into build/. Safe to run again: it installs nothing
# that is already there and rebuilds only what changed.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev
  # Qt's dasher and stroker for long polylines (src/platform/PieceScanner)
  qt6-base-private-dev
  libgtest-dev libbenchmark-dev libtiff-dev clang-format-14
  python3 python3-pil
  dbus dbus-x11 xvfb xauth xdg-utils
  fonts-liberation2 fonts-wqy-microhei qt6-translations-l10n
  desktop-file-utils dpkg-dev
  # fuzzing (scripts/fuzz.sh): clang with the libFuzzer runtime
  clang libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
