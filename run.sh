#!/usr/bin/env bash
# Builds the tool if needed and runs it under Wine.
set -euo pipefail
cd "$(dirname "$0")"
./tools/setup.sh
./tools/fetch-sqlite.sh
. tools/build-env.sh
build_trees machine-list-export
BUILD_DIR="$RUN_DIR"
export WINEPREFIX="$RUN_DIR/wineprefix" WINEARCH="$WINE_ARCH"
if [ "$WINE_ARCH" = win64 ]; then WINE=/usr/lib/wine/wine64; else WINE=wine; fi
wine_env_display
wine_env_prefix
exec "$WINE" "$RUN_DIR/bin/machine-list-export.exe"
