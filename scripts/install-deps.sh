#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need,
# and only those that are missing. Needs root or sudo.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev libqt6sql6-sqlite qt6-translations-l10n libgl-dev
  sqlite3 libbenchmark-dev
  clang-14 libclang-rt-14-dev clang-format-14
  fonts-liberation2 fonts-wine fontconfig
  xvfb xauth poppler-utils
  mdbtools mdbtools-dev python3
  libxcb1-dev openbox xdotool x11-utils
  ca-certificates git
  desktop-file-utils appstream man-db dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then as_root=(sudo); fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
