#!/usr/bin/env bash
# A Wine prefix whose system DPI is the one given, for the tests that show
# the tool at a display scale: BUILD_DIR/wineprefix-dpiN, made once with
# the tests' settings, on the display of dpi_display. Run by CTest as the
# fixture of those tests.
#   dpi-prefix.sh win32|win64 BUILD_DIR DPI
set -euo pipefail
export WINE_ARCH="$1" BUILD_DIR="$2"
dpi="$3"
export WINEPREFIX="$BUILD_DIR/wineprefix-dpi$dpi"
. "$(dirname "$0")/wine-env.sh"
dpi_display
wine_env_prefix
wine_prefix_for_tests
wine_prefix_dpi "$dpi"
