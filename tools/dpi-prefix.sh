#!/usr/bin/env bash
# A Wine prefix whose system DPI is the one given, for the tests that show
# the tool at a display scale: BUILD_DIR/wineprefix-dpiN (with MLE_SCREEN,
# BUILD_DIR/wineprefix-dpiN-WxH), made once with the tests' settings, on the
# display of dpi_display. Run by CTest as the fixture of those tests.
#   [MLE_SCREEN=WxH] dpi-prefix.sh win32|win64 BUILD_DIR DPI
set -euo pipefail
export WINE_ARCH="$1" BUILD_DIR="$2"
dpi="$3"
. "$(dirname "$0")/wine-env.sh"
export WINEPREFIX; WINEPREFIX=$(dpi_prefix "$BUILD_DIR" "$dpi")
dpi_display
wine_env_prefix
wine_prefix_for_tests
wine_prefix_dpi "$dpi"
