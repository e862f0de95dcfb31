#!/usr/bin/env bash
# Saves a screenshot of the running tool inside a Wine virtual desktop (with
# its title bar) and prints the path: the demo run of run.sh on a private
# virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
env -u DISPLAY ./run.sh | tail -n 1
