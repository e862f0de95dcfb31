#!/usr/bin/env bash
# Runs a test program in the prefix that tools/dpi-prefix.sh made for a
# DPI (and screen), on the same display, with MLE_DPI telling the program
# which DPI to expect (and MLE_SCREEN which screen).
#   [MLE_SCREEN=WxH] dpi-run.sh win32|win64 DPI program.exe [args...]
set -u
arch="$1" dpi="$2"; shift 2
d=$(cd "$(dirname "$1")" && pwd)
while [ "$d" != "/" ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
export BUILD_DIR="$d" MLE_DPI="$dpi" WINE_ARCH="$arch"
. "$(dirname "$0")/wine-env.sh"
export WINEPREFIX; WINEPREFIX=$(dpi_prefix "$BUILD_DIR" "$dpi")
dpi_display
exec "$(dirname "$0")/wine-run.sh" "$arch" "$@"
