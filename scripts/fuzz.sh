#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default
# 20), two at a time on a two-core machine. Each target starts from a copy of
# its seed corpus in tests/fuzz/corpus/ (the repository's corpus is never
# written). Exits non-zero when any target finds a crash or a broken
# invariant; the input that did it is kept in build-fuzz/artifacts/.
#
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
seconds=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz
targets=(fuzz_search_request fuzz_rounded_value fuzz_key_filters fuzz_catalogue fuzz_legacy_report fuzz_batch_reader)
jobs=$(nproc)

# The fuzz targets are part of the project when it is configured with
# ZIRS_FUZZ; nothing else is built in this folder.
CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZIRS_FUZZ=ON -DZIRS_BENCH=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}" -j"$jobs"

# The catalogue target writes its file on every run: a memory-backed
# temporary directory doubles its speed.
if [[ -d /dev/shm && -w /dev/shm ]]; then
  export TMPDIR=/dev/shm
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
artifacts=$build/artifacts
mkdir -p "$artifacts"

run_target() {
  local target=$1
  mkdir -p "$work/$target"
  cp "$root/tests/fuzz/corpus/$target/"* "$work/$target/"
  ASAN_OPTIONS=quarantine_size_mb=16:max_malloc_fill_size=0 \
    "$build/bin/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$artifacts/$target-" "$work/$target" >"$work/$target.log" 2>&1 &&
    echo 0 >"$work/$target.rc" || echo $? >"$work/$target.rc"
}

pids=()
for target in "${targets[@]}"; do
  run_target "$target" &
  pids+=($!)
  if ((${#pids[@]} >= jobs)); then
    wait "${pids[0]}" || true
    pids=("${pids[@]:1}")
  fi
done
wait || true

failed=0
for target in "${targets[@]}"; do
  log=$work/$target.log
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  if grep -qE '^(==[0-9]+==ERROR|invariant broken|SUMMARY: )|deadly signal' "$log" ||
    [[ -z $runs || $(cat "$work/$target.rc") != 0 ]]; then
    failed=1
    echo "$target: FAILED"
    grep -E 'invariant broken|ERROR|SUMMARY|Test unit written|deadly' "$log" | head -n 20
  else
    echo "$target: $runs executions in ${seconds} s"
  fi
done
exit "$failed"
