#!/usr/bin/env bash
# A Wine prefix at another system code page than the tests' 936, for the
# tests that show the tool there: BUILD_DIR/wineprefix-cpN, made once with
# the tests' settings and always run under the locale that gives that code
# page (see WINE_CODEPAGE in wine-env.sh). Run by CTest as the fixture of
# those tests.
#   cp-prefix.sh win32|win64 BUILD_DIR 1252|65001
set -euo pipefail
export WINE_ARCH="$1" BUILD_DIR="$2" WINE_CODEPAGE="$3"
export WINEPREFIX="$BUILD_DIR/wineprefix-cp$WINE_CODEPAGE"
. "$(dirname "$0")/wine-env.sh"
wine_env_display
wine_env_prefix
wine_prefix_for_tests
