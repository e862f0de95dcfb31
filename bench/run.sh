#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine; arguments go to the bench
# program (the small table size, default 1000 rows).
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/setup.sh
./tools/fetch-sqlite.sh
. tools/build-env.sh
build_trees machine_list_bench
BUILD_DIR="$RUN_DIR" tools/wine-run.sh "$WINE_ARCH" "$RUN_DIR/bench/machine_list_bench.exe" "$@"
