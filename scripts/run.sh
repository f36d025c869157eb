#!/usr/bin/env bash
# Builds the program and starts it on the bundled catalogue.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZIRS_BENCH=OFF
cmake --build build -j"$(nproc)" --target zirs
# The program looks for database.mdb in its working directory.
cd build/bin
exec ./zirs
