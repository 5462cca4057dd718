#!/usr/bin/env bash
# Installs what is missing, builds the simulator and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
install_deps
cmake -S . -B build/full -DCMAKE_BUILD_TYPE=Release
cmake --build build/full -j "$(nproc)"
if [ -x build/full/src/ui/draivo ]; then
  exec build/full/src/ui/draivo "$@"
fi
# Without the window yet: simulate an example program and write its picture.
mkdir -p build/out
build/full/src/cli/draivo-sim --bmp build/out/shaft.bmp examples/shaft.nc
echo "Picture written to build/out/shaft.bmp"
