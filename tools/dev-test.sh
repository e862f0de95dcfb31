#!/usr/bin/env bash
# For working on one module: builds only the named targets in a build folder
# of its own (both trees) and runs the matching tests.
#   tools/dev-test.sh NAME TARGET... [-- CTEST-ARGS...]
# Example: tools/dev-test.sh db db_test -- -R 'Sqlite'
set -euo pipefail
cd "$(dirname "$0")/.."
name="$1"; shift
targets=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do targets+=("$1"); shift; done
[ "${1:-}" = "--" ] && shift
export BUILD_DIR="$PWD/build-$name"
. tools/build-env.sh
build_trees "${targets[@]}"
run_ctest "$@"
