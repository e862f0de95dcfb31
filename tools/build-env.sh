# Sourced by test.sh and run.sh: configures and builds the product (i686, in
# $BUILD_DIR) and, on machines that run no 32-bit x86 code, a 64-bit copy of
# the same sources for running (in $BUILD_DIR/x64). Sets RUN_DIR and
# WINE_ARCH to the tree whose programs can run here.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export BUILD_DIR="${BUILD_DIR:-$top/build}"
. "$top/tools/wine-env.sh"

configure_tree() {  # dir toolchain
  if [ ! -f "$1/CMakeCache.txt" ]; then
    cmake -S "$top" -B "$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/$2" >/dev/null
  fi
}

# On a machine that runs no 32-bit x86 code nothing of the i686 tree can
# run: it builds only the shipped program (whose compile checks the 32-bit
# layouts), beside the 64-bit tree that the tests run.
build_trees() {  # [targets...]
  local targets=()
  for t in "$@"; do targets+=(--target "$t"); done
  configure_tree "$BUILD_DIR" toolchain-mingw32.cmake
  if native_32bit; then
    cmake --build "$BUILD_DIR" -j"$(nproc)" "${targets[@]}"
    RUN_DIR="$BUILD_DIR"; WINE_ARCH=win32
  else
    RUN_DIR="$BUILD_DIR/x64"; WINE_ARCH=win64
    configure_tree "$RUN_DIR" toolchain-mingw64.cmake
    cmake --build "$BUILD_DIR" -j"$(nproc)" --target machine-list-export
    cmake --build "$RUN_DIR" -j"$(nproc)" "${targets[@]}"
  fi
  export RUN_DIR WINE_ARCH
}

# Runs ctest (arguments passed on) in the tree whose programs run here,
# with the tests' own Wine prefix and virtual display. When the calling
# script exits, however it ends, the tests' Wine servers and virtual
# displays end with it.
run_ctest() {
  BUILD_DIR="$RUN_DIR"
  export WINEPREFIX="$RUN_DIR/wineprefix" WINEARCH="$WINE_ARCH"
  if [ "$WINE_ARCH" = win64 ]; then WINE=/usr/lib/wine/wine64; else WINE=wine; fi
  end_on_exit "$RUN_DIR" 'wineprefix*' . 'dpi-display*'
  wine_env_display
  wine_env_prefix
  wine_prefix_for_tests
  cd "$RUN_DIR"
  run_ended_with_script ctest --output-on-failure "$@"
}
