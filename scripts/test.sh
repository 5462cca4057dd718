#!/usr/bin/env bash
# Installs what is missing, builds from scratch and runs every test: the core under
# AddressSanitizer and UndefinedBehaviorSanitizer without Qt, then the whole project (with the
# benchmarks, so that they keep compiling), then the install rules and the Debian package,
# then a short run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
install_deps

jobs=$(nproc)
rm -rf build/sanitize build/full build/fuzz-clang

cmake -S . -B build/sanitize -DBUILD_UI=OFF -DDRAIVO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
cmake --build build/sanitize -j "$jobs"
# The sweeps that take every run case through the core once more in another way (step back, run to
# here, the workpiece, draivo-sim's batch check and JSON output) run only in the full pass: here
# the golden cases already take each program through the core under the sanitizers, and the
# sweeps would double this pass's time.
sweeps='EveryRunCase|OverRunCases|ParallelChecks|EveryProgramGivesAValidObject'
ctest --test-dir build/sanitize --output-on-failure -j "$jobs" -E "$sweeps"

cmake -S . -B build/full -DCMAKE_BUILD_TYPE=Release -DDRAIVO_BENCH=ON
cmake --build build/full -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build/full --output-on-failure -j "$jobs"

# Install rules and the Debian package; a real install only where .ci/run allows it.
scripts/check-package.sh build/full

# About a minute of fuzzing in all; a crash, hang or memory blow-up fails the script.
scripts/fuzz.sh all 15
