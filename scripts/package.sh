#!/usr/bin/env bash
# Builds the Debian package build/zirs-tavelin_<version>_<arch>.deb.
# Install it with: sudo apt install ./build/zirs-tavelin_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZIRS_BENCH=OFF
cmake --build build -j"$(nproc)" --target zirs-installable
cd build
cpack -G DEB
