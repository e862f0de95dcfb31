#!/usr/bin/env bash
# Builds the release from this checkout, installing what is missing as
# test.sh does: the shipped 32-bit program in build/ (the very file, tree
# and flags that ./test.sh tests), then dist/machine-list-export-VERSION-win32.zip
# (the program, the user's guide, the licence notices) and dist/SHA256SUMS.
# The same commit gives the same bytes (tools/release/reproduce.sh shows it).
set -euo pipefail
cd "$(dirname "$0")"
./tools/setup.sh
./tools/fetch-sqlite.sh
. tools/build-env.sh
configure_tree "$BUILD_DIR" toolchain-mingw32.cmake
cmake --build "$BUILD_DIR" -j"$(nproc)" --target machine-list-export
if [ -n "$(git status --porcelain 2>/dev/null)" ]; then
  echo "release.sh: the checkout has changes that are not committed: this archive is not the commit's" >&2
fi
python3 tools/release/package.py "$BUILD_DIR" dist
cat dist/SHA256SUMS
