#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test under Wine.
# Safe to run again. Arguments go to ctest (for example -R ListView).
set -euo pipefail
cd "$(dirname "$0")"
./tools/setup.sh
./tools/fetch-sqlite.sh
. tools/build-env.sh
build_trees
describe_build test.sh
run_ctest -j2 "$@"
