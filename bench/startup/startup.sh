#!/usr/bin/env bash
# Prints start-up times of spacevisit.exe and of a bare window, measured in
# one run under Wine. Usage: bench/startup/startup.sh [runs]
set -euo pipefail
SPACEVISIT_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
export SPACEVISIT_ROOT
"$SPACEVISIT_ROOT/scripts/deps.sh"
source "$SPACEVISIT_ROOT/scripts/wine-env.sh"
source "$SPACEVISIT_ROOT/scripts/build.sh"
build="$SPACEVISIT_ROOT/build/bench-$SPACEVISIT_ARCH"
spacevisit_build_windows "$SPACEVISIT_ARCH" "$build" >/dev/null
spacevisit_prepare_prefix
spacevisit_ensure_display
trap 'wineserver -k 2>/dev/null; spacevisit_stop_display' EXIT
# A persistent server makes each Wine process start in milliseconds; one left
# over from preparing the prefix would refuse to become persistent, so it goes.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
wineserver -p
# Wine's own background processes start with the first Wine process and keep
# its output open: start them here, away from ctest's pipes.
timeout 120 "$WINE" wineboot </dev/null >/dev/null 2>&1 || true
timeout 600 "$WINE" "$build/bench/startup/startup_bench.exe" "${1:-11}"
