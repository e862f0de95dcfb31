#!/usr/bin/env bash
# Runs a test program in the prefix that tools/dpi-prefix.sh made for a
# DPI, on the same display, with MLE_DPI telling the program which DPI to
# expect.
#   dpi-run.sh win32|win64 DPI program.exe [args...]
set -u
arch="$1" dpi="$2"; shift 2
d=$(cd "$(dirname "$1")" && pwd)
while [ "$d" != "/" ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
export BUILD_DIR="$d" WINEPREFIX="$d/wineprefix-dpi$dpi" MLE_DPI="$dpi" WINE_ARCH="$arch"
. "$(dirname "$0")/wine-env.sh"
dpi_display
exec "$(dirname "$0")/wine-run.sh" "$arch" "$@"
