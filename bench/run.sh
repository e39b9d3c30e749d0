#!/usr/bin/env bash
# Builds the benchmarks for Windows (or uses a given build directory) and runs
# the dwell benchmark under Wine. Usage: bench/run.sh [build-dir]
set -euo pipefail
SPACEVISIT_ROOT=$(cd "$(dirname "$0")/.." && pwd)
export SPACEVISIT_ROOT
source "$SPACEVISIT_ROOT/scripts/wine-env.sh"

build=${1:-}
if [ -z "$build" ]; then
  source "$SPACEVISIT_ROOT/scripts/build.sh"
  build="$SPACEVISIT_ROOT/build/bench-$SPACEVISIT_ARCH"
  cmake -S "$SPACEVISIT_ROOT" -B "$build" -G Ninja --toolchain "$SPACEVISIT_ROOT/cmake/mingw-$SPACEVISIT_ARCH.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target dwell_bench >/dev/null

spacevisit_prepare_prefix
spacevisit_ensure_display
trap 'spacevisit_stop_display' EXIT
wineserver -p 2>/dev/null || true
timeout 300 "$WINE" "$build/bench/dwell_bench.exe"
