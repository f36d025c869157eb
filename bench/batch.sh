#!/usr/bin/env bash
# zirs-search --batch as a whole process on the bundled catalogue:
#  - rows per second with --jobs 1 and --jobs 2, on requests that all reach
#    the Wald ranking (144 different ones, repeated), no reports;
#  - peak memory (maximum resident set) for 100 000 rows from standard input;
#  - the time per report with --report-dir.
# Say what else ran on the machine when quoting these figures.
#   bash bench/batch.sh [BUILD_DIR] [ROWS]     (defaults: build, 20160)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
rows=${2:-20160}
cmake --build "$build" -j2 --target zirs-search zirs-report catalogue batch_cost_bench >/dev/null
cd "$build/bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 144 Wald-reaching requests: both groups, every subject, a few roofs.
python3 - "$work/wald.jsonl" <<'PY'
import itertools, json, sys
rows = []
for group, subject, slope, volume, cost, wear in itertools.product(
        ["full", "special"], ["owner", "contractor", "designer"], ["2", "3"],
        ["100", "200", "300"], ["3000", "3500"], ["30", "45"]):
    row = {"address": "ул. Ленина, д. 1", "group": group, "slope": slope, "volume": volume,
           "thickness": "20", "cost": cost, "temperature": "10", "wear": wear,
           "open-fire": True, "weighting": True, "power-supply": True}
    if group == "special":
        row["subject"] = subject
    rows.append(json.dumps(row, ensure_ascii=False))
open(sys.argv[1], "w").write("\n".join(rows) + "\n")
PY
repeat() { # FILE COUNT
  local n=0
  while ((n < $2)); do cat "$1"; n=$((n + 144)); done | head -n "$2"
}
repeat "$work/wald.jsonl" "$rows" >"$work/rows.jsonl"
test "$(./zirs-search --batch "$work/wald.jsonl" | grep -c '"kind":"Wald"')" = 144

echo "== load before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo "== rows per second, $rows Wald rows, best of 3"
for jobs in 1 2; do
  best=
  for _ in 1 2 3; do
    start=$(date +%s.%N)
    ./zirs-search --batch "$work/rows.jsonl" --jobs "$jobs" >/dev/null
    end=$(date +%s.%N)
    seconds=$(echo "$end - $start" | bc -l)
    if [[ -z $best ]] || (($(echo "$seconds < $best" | bc -l))); then best=$seconds; fi
  done
  printf 'jobs %d: %.2f s, %.0f rows/s\n' "$jobs" "$best" "$(echo "$rows / $best" | bc -l)"
done

echo "== peak memory, 100000 rows from standard input"
repeat "$work/wald.jsonl" 100000 >"$work/100k.jsonl"
/usr/bin/time -v ./zirs-search --batch - --format jsonl <"$work/100k.jsonl" 2>"$work/time.txt" |
  wc -l | sed 's/^/answers: /'
grep -E 'Maximum resident set size|Elapsed' "$work/time.txt"

echo "== time per report, 40 roofs, --jobs 1 and 2 (one process each)"
head -n 40 "$work/wald.jsonl" >"$work/40.jsonl"
for jobs in 1 2; do
  rm -rf "$work/reports"
  start=$(date +%s.%N)
  ./zirs-search --batch "$work/40.jsonl" --report-dir "$work/reports" --jobs "$jobs" >/dev/null
  end=$(date +%s.%N)
  printf 'jobs %d: %d reports, %.1f ms per report\n' "$jobs" "$(ls "$work/reports" | wc -l)" \
    "$(echo "($end - $start) * 1000 / 40" | bc -l)"
done

echo "== cost per row, step by step (one thread)"
./batch_cost_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>&1 |
  grep -E 'Benchmark|median'
echo "== load after: $(cut -d' ' -f1-3 /proc/loadavg)"
