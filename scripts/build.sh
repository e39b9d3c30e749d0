# Sourced by run.sh and test.sh: configure and build helpers.
# spacevisit_build_windows <arch> <build-dir> [cmake args...]
spacevisit_build_windows() {
  local arch=$1 dir=$2
  shift 2
  cmake -S "$SPACEVISIT_ROOT" -B "$dir" -G Ninja --toolchain "$SPACEVISIT_ROOT/cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$dir" -j"$(nproc)"
}
