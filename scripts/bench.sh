#!/usr/bin/env bash
# Builds the core, draivo-sim and the benchmarks optimised (in build/perf) and measures:
#   1. the Google Benchmark suite draivo-bench (medians of 5 repetitions);
#   2. draivo-sim --direct and draivo-sim (pixel by pixel, no drawing pause) on two generated
#      programs of BLOCKS lines, one of moves and cycles and one of moves only: the median of
#      RUNS runs of wall-clock and CPU time, and the peak memory (GNU time; without it only the
#      wall clock, taken with date), and hyperfine's figures as well when it is installed;
#   3. draivo-sim --direct on the big programs: 900,000 lines of moves and 1,000,000 lines of
#      moves and cycles (RUNS runs each; left out with BIG=0);
#   4. draivo-sim --direct on 200 copies of a 10,000-line program of moves and cycles, with
#      -j 1 and with -j 2 (RUNS runs each; left out with MANY=0).
#
#   scripts/bench.sh [BLOCKS] [RUNS]      defaults: 100000 blocks, 5 runs
#
# docs/PERFORMANCE.md lists the targets and the figures of the last measurement.
set -euo pipefail
cd "$(dirname "$0")/.."
blocks=${1:-100000}
runs=${2:-5}

cmake -S . -B build/perf -DBUILD_UI=OFF -DDRAIVO_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/perf -j "$(nproc)" --target draivo-sim draivo-bench draivo-bench-gen >/dev/null

sim=build/perf/src/cli/draivo-sim
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
program=$(build/perf/bench/draivo-bench-gen "$work/mixed" "$blocks")
moves=$(build/perf/bench/draivo-bench-gen "$work/moves" "$blocks" moves)
# A program file is kept for the return from a subprogram only once its modification time is
# some seconds old, as it is for a program that was not written just now.
sleep 3

echo "== machine"
echo "$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

echo "== draivo-bench"
build/perf/bench/draivo-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_filter='_median$|.' 2>/dev/null | grep -E '^(Benchmark|-|BM_.*_median)'

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
max() { sort -n | tail -n 1; }

# One line per run: wall seconds, CPU seconds (user + system), peak resident kilobytes.
measure() {
  local label=$1
  shift
  : >"$work/times"
  local start end
  for _ in $(seq "$runs"); do
    if [ -x /usr/bin/time ]; then
      /usr/bin/time -f '%e %U %S %M' -o "$work/one" "$sim" "$@" >/dev/null
      awk '{printf "%s %.2f %s\n", $1, $2 + $3, $4}' "$work/one" >>"$work/times"
    else
      # Without GNU time only the wall clock is measured.
      start=$(date +%s.%N)
      "$sim" "$@" >/dev/null
      end=$(date +%s.%N)
      echo "$start $end" | awk '{printf "%.2f 0 0\n", $2 - $1}' >>"$work/times"
    fi
  done
  printf '%-34s wall %6ss  cpu %6ss  peak %6.1f MB  (median of %s runs, %s blocks)\n' "$label" \
    "$(cut -d' ' -f1 "$work/times" | median)" "$(cut -d' ' -f2 "$work/times" | median)" \
    "$(cut -d' ' -f3 "$work/times" | max | awk '{print $1 / 1024}')" "$runs" "$blocks"
}

echo "== draivo-sim on the generated programs"
echo "mixed program (moves and cycles): $("$sim" --direct --trace "$program" | wc -l) executed blocks"
measure "mixed: draivo-sim --direct" --direct "$program"
measure "mixed: draivo-sim (pixel by pixel)" "$program"
echo "moves only: $("$sim" --direct --trace "$moves" | wc -l) executed blocks"
measure "moves: draivo-sim --direct" --direct "$moves"
measure "moves: draivo-sim (pixel by pixel)" "$moves"

if [ "${BIG:-1}" != 0 ]; then
  echo "== big programs"
  big_moves=$(build/perf/bench/draivo-bench-gen "$work/big-moves" 900000 moves)
  big_mixed=$(build/perf/bench/draivo-bench-gen "$work/big-mixed" 1000000)
  sleep 3  # see above
  echo "moves 900,000 lines: $(du -k "$big_moves" | cut -f1) KB, $("$sim" --direct --trace "$big_moves" | wc -l) executed blocks"
  blocks=900000 measure "moves: draivo-sim --direct" --direct "$big_moves"
  echo "mixed 1,000,000 lines: $(du -k "$big_mixed" | cut -f1) KB, $("$sim" --direct --trace "$big_mixed" | wc -l) executed blocks"
  blocks=1000000 measure "mixed: draivo-sim --direct" --direct "$big_mixed"
fi

if [ "${MANY:-1}" != 0 ]; then
  echo "== many programs"
  build/perf/bench/draivo-bench-gen "$work/many" 10000 >/dev/null
  for i in $(seq -w 1 200); do cp "$work/many/program.nc" "$work/many/p$i.nc"; done
  rm "$work/many/program.nc"
  sleep 3  # see above
  blocks="200 x 10000" measure "200 programs: draivo-sim -j 1" --direct -j 1 "$work"/many/p*.nc
  blocks="200 x 10000" measure "200 programs: draivo-sim -j 2" --direct -j 2 "$work"/many/p*.nc
fi

if command -v hyperfine >/dev/null; then
  hyperfine --runs "$runs" "$sim --direct $program" "$sim $program" "$sim --direct $moves" "$sim $moves"
fi
