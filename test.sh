#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test under Wine.
# Safe to run again. Arguments go to ctest (for example -R ListView).
set -euo pipefail
cd "$(dirname "$0")"
./tools/setup.sh
./tools/fetch-sqlite.sh
. tools/build-env.sh
build_trees
[ "$WINE_ARCH" = win64 ] && echo "test.sh: this machine runs no 32-bit x86 code; testing the 64-bit build of the same sources"
BUILD_DIR="$RUN_DIR"
export WINEPREFIX="$RUN_DIR/wineprefix" WINEARCH="$WINE_ARCH"
if [ "$WINE_ARCH" = win64 ]; then WINE=/usr/lib/wine/wine64; else WINE=wine; fi
wine_env_display
wine_env_prefix
wine_prefix_for_tests
cd "$RUN_DIR"
ctest --output-on-failure -j2 "$@"
