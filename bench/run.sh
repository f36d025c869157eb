#!/usr/bin/env bash
# Runs every benchmark against the bundled catalogue and prints the figures.
#   bash bench/run.sh [BUILD_DIR]      (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" -j"$(nproc)" --target engine_bench toolkit_floor alternate_timing \
  zirs_startup_bench zirs-search zirs catalogue >/dev/null
cd "$build/bin"
request=(--group full --slope 3 --volume 300 --thickness 20 --cost 3000 --temperature 10
  --wear 45 --open-fire --weighting --power-supply)
report=$(mktemp --suffix=.pdf)
trap 'rm -f "$report"' EXIT

echo "== engine alone: 21 variants x 15 criteria"
./engine_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
echo "== zirs-search against the QtCore + QtSql floor (B / A)"
./alternate_timing 40 -- ./toolkit_floor database.mdb -- ./zirs-search "${request[@]}"
echo "== the report: zirs-search plain (A) and with --report (B)"
./alternate_timing 20 -- ./zirs-search "${request[@]}" -- ./zirs-search "${request[@]}" --report "$report"
echo "== zirs: cold start, search, memory"
./zirs_startup_bench 10
echo "== zirs-search --batch"
bash "$root/bench/batch.sh" "$build"
