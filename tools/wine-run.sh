#!/usr/bin/env bash
# Runs one Windows program under Wine for ctest and the scripts:
#   wine-run.sh win32|win64 program.exe [args...]
# The build folder is found from the program's path unless BUILD_DIR is set.
set -u
export WINE_ARCH="$1"; shift
exe="$1"; shift
if [ ! -f "$exe" ]; then
  echo "wine-run.sh: no such program: $exe" >&2
  exit 127
fi
if [ -z "${BUILD_DIR:-}" ]; then
  d=$(cd "$(dirname "$exe")" && pwd)
  while [ "$d" != "/" ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
  BUILD_DIR="$d"
fi
. "$(dirname "$0")/wine-env.sh"
wine_env_display
wine_env_prefix
# Wine's background processes (wineserver, services, explorer) inherit the
# standard handles; writing through files keeps a caller's pipe (ctest's)
# from staying open after the program ends.
out=$(mktemp) err=$(mktemp)
"$WINE" "$exe" "$@" >"$out" 2>"$err" </dev/null
rc=$?
cat "$out"; cat "$err" >&2
# A program that dies before it prints anything leaves a test without a
# word of output; say at least how it ended.
if [ "$rc" -ne 0 ] && [ ! -s "$out" ] && [ ! -s "$err" ]; then
  echo "wine-run.sh: $exe ended with exit code $rc before printing anything" >&2
fi
rm -f "$out" "$err"
exit $rc
