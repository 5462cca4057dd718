#!/usr/bin/env bash
# Installs what is missing, builds from scratch and runs every test: the core under
# AddressSanitizer and UndefinedBehaviorSanitizer without Qt, then the whole project.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
install_deps

jobs=$(nproc)
rm -rf build/sanitize build/full

cmake -S . -B build/sanitize -DBUILD_UI=OFF -DDRAIVO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
cmake --build build/sanitize -j "$jobs"
ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

cmake -S . -B build/full -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/full -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build/full --output-on-failure -j "$jobs"
