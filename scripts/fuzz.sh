#!/usr/bin/env bash
# Builds the libFuzzer targets of the core with clang (in build/fuzz-clang) and runs them.
#
#   scripts/fuzz.sh TARGET [SECONDS]   one target for SECONDS (default 600)
#   scripts/fuzz.sh all [SECONDS]      every target for SECONDS each (default 15): the short
#                                      run that scripts/test.sh makes
#
# Targets: block_text, headless_run, editor_commands, design_builders.
# Seeds are made at run time from tests/data and examples (build/fuzz-seeds); what the
# fuzzer learns stays in build/fuzz-corpus; crashes, hangs and memory blow-ups are written
# to build/fuzz-artifacts/TARGET and make the script fail. Reproduce one with
#   build/fuzz-clang/fuzz/fuzz_TARGET build/fuzz-artifacts/TARGET/crash-...
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(block_text headless_run editor_commands design_builders)
separator=$'\n~~~\n'  # between the main program and the subprograms of headless_run
# A smaller quarantine keeps AddressSanitizer's own memory well below the fuzzer's RSS limit.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=64}

usage() {
  local IFS='|'
  echo "usage: scripts/fuzz.sh {all|${targets[*]}} [SECONDS]" >&2
  exit 2
}

build() {
  CC=clang-14 CXX=clang++-14 cmake -S . -B build/fuzz-clang -DBUILD_UI=OFF -DBUILD_TESTING=OFF \
    -DDRAIVO_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build/fuzz-clang -j "$(nproc)"
}

# Program files of the golden cases and the examples.
program_files() {
  find tests/data examples -type f \( -iname '*.nc' -o -iname '*.txt' \) 2>/dev/null | sort
}

seed_block_text() {
  local dir=$1 n=0
  # One seed per distinct line (at most 400), so that each seed is a single block.
  while IFS= read -r line; do
    printf '%s' "$line" >"$dir/line-$n"
    n=$((n + 1))
  done < <(program_files | xargs cat | tr -d '\r' | sort -u | head -n 400)
}

seed_headless_run() {
  local dir=$1 case_dir main subs i number
  for case_dir in tests/data/*/; do
    main=$case_dir/program.nc
    [ -f "$main" ] || continue
    local seed="$dir/$(basename "$case_dir")"
    cat "$main" >"$seed"
    i=1
    # Subprograms become O0001.nc to O0003.nc; the calls in the seed are renumbered to match.
    for subs in "$case_dir"/O*.nc; do
      [ -f "$subs" ] && [ $i -le 3 ] || continue
      number=$(basename "$subs" .nc)
      number=${number#O}
      printf '%s' "$separator" >>"$seed"
      cat "$subs" >>"$seed"
      sed -i "s/$number/000$i/g" "$seed"
      i=$((i + 1))
    done
  done
  local f
  for f in $(find examples -type f 2>/dev/null); do cp "$f" "$dir/example-$(basename "$f")"; done
}

seed_editor_commands() {
  local dir=$1 f n=0
  for f in $(program_files); do
    cp "$f" "$dir/program-$n"
    n=$((n + 1))
  done
}

seed_design_builders() {
  local dir=$1
  # First byte: the cycle (G90, G92, G94) and the options; then one field per line: start X,
  # start Z, first X, first Z, taper, feed, last cut, step, tool, correction, description,
  # max speed, cutting speed.
  printf '\x00%s\n' 60 2 50 -40 0 0.2 30 3 01 01 Voorbewerken 3000 200 >"$dir/g90"
  printf '\x01%s\n' 30 5 28 -25 0 1.5 26 0.5 02 02 Draad 2000 700 >"$dir/g92"
  printf '\x02%s\n' 80 2 20 -1 0 0.15 -6 1 03 03 Vlakken 2500 180 >"$dir/g94"
  printf '\x05%s\n' 60 2 50 -40 -2 0.2 30 0.001 7 7 '' 99999 1 >"$dir/small-step"
}

make_seeds() {
  local target=$1 dir=build/fuzz-seeds/$1
  rm -rf "$dir"
  mkdir -p "$dir"
  "seed_$target" "$dir"
}

run_target() {
  local target=$1 seconds=$2
  make_seeds "$target"
  mkdir -p "build/fuzz-corpus/$target" "build/fuzz-artifacts/$target"
  local dict=()
  [ "$target" = design_builders ] || dict=(-dict=fuzz/nc.dict)
  echo "== fuzz_$target for ${seconds}s"
  "build/fuzz-clang/fuzz/fuzz_$target" "build/fuzz-corpus/$target" "build/fuzz-seeds/$target" \
    "${dict[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=512 -max_len=16384 \
    -artifact_prefix="build/fuzz-artifacts/$target/" -print_final_stats=1 2>"build/fuzz-$target.log" ||
    { tail -n 60 "build/fuzz-$target.log" >&2; return 1; }
  grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "build/fuzz-$target.log" || true
}

[ $# -ge 1 ] || usage
target=$1
if [ "$target" = all ]; then
  seconds=${2:-15}
  build
  failed=()
  for t in "${targets[@]}"; do run_target "$t" "$seconds" || failed+=("$t"); done
  if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzzing found faults in: ${failed[*]} (see build/fuzz-artifacts)" >&2
    exit 1
  fi
else
  [[ " ${targets[*]} " == *" $target "* ]] || usage
  seconds=${2:-600}
  build
  run_target "$target" "$seconds"
fi
