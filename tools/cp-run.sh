#!/usr/bin/env bash
# Runs a test program at a system code page: at 936 in the tests' own
# prefix, at 1252 and 65001 in the prefix that tools/cp-prefix.sh made for
# it, with MLE_CODEPAGE telling the program which code page to expect.
#   cp-run.sh win32|win64 936|1252|65001 program.exe [args...]
set -u
arch="$1" cp="$2"; shift 2
d=$(cd "$(dirname "$1")" && pwd)
while [ "$d" != "/" ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
prefix="$d/wineprefix"
[ "$cp" = 936 ] || prefix="$d/wineprefix-cp$cp"
export BUILD_DIR="$d" WINEPREFIX="$prefix" WINE_CODEPAGE="$cp" MLE_CODEPAGE="$cp"
exec "$(dirname "$0")/wine-run.sh" "$arch" "$@"
