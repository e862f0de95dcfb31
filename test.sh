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
run_ctest -j2 "$@"
