#!/usr/bin/env bash
# Checks the code's format, builds the project and runs every test: the
# suite in a normal build, the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a short bounded run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

bash scripts/check-format.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZIRS_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

CC=clang-14 CXX=clang++-14 cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug \
  -DZIRS_SANITIZE=ON -DZIRS_BENCH=OFF -DZIRS_WERROR=ON
cmake --build build-sanitize -j"$jobs"
ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

bash scripts/fuzz.sh 20
