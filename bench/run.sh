#!/usr/bin/env bash
# The benchmark of the tool at server scale, in one command:
#   bench/run.sh [--full] [ROWS...]        (default rows: 10000 100000)
# Builds the tool and the bench programs, writes a machine table of each
# size into the private Wine prefix, operates the real tool on it (start,
# Ctrl+A, export through the save dialog, close), runs the baselines in the
# same run, runs the server writer beside a load when it is built, and
# prints one table. The autocommit query baseline takes minutes at 100,000
# rows under Wine, so it runs at the smallest size only unless --full.
# bench/run.sh --profile [ROWS] prints the per-command profile instead.
set -euo pipefail
cd "$(dirname "$0")/.."
full=0 profile=0 sizes=()
for a in "$@"; do
  case "$a" in
    --full) full=1 ;;
    --profile) profile=1 ;;
    *) sizes+=("$a") ;;
  esac
done
./tools/setup.sh >/dev/null
./tools/fetch-sqlite.sh >/dev/null
. tools/build-env.sh
targets=(machine-list-export bench_driver baselines command_profile)
has_writer=0
if [ -f tools/server_writer/CMakeLists.txt ] || grep -rqs server_writer tools/*.cmake; then
  targets+=(server_writer); has_writer=1
fi
build_trees "${targets[@]}" >/dev/null
BUILD_DIR="$RUN_DIR"
# A prefix of the bench's own, with windows left to Wine (see
# wine_prefix_for_tests): the 2 s Wine waits for a window manager at every
# closed window would swamp the close figure.
# Its Wine server and its virtual display (its own, so that a run of the
# tests beside it keeps theirs) end when the bench does.
export WINEPREFIX="$RUN_DIR/bench-wineprefix"
. tools/wine-env.sh
end_on_exit "$RUN_DIR" bench-wineprefix bench-display
BUILD_DIR="$RUN_DIR/bench-display" wine_env_display
wine_env_prefix
wine_prefix_for_tests
run() { BUILD_DIR="$RUN_DIR" tools/wine-run.sh "$WINE_ARCH" "$@"; }

if [ "$profile" = 1 ]; then
  run "$RUN_DIR/bench/command_profile.exe" "${sizes[@]}"
  exit 0
fi
[ ${#sizes[@]} -eq 0 ] && sizes=(10000 100000)
smallest=$(printf '%s\n' "${sizes[@]}" | sort -n | head -1)

results=$(mktemp)
END_REMOVE+=("$results")
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
echo "machine=$(nproc) cores ($cpu), $(LC_ALL=C free -g | awk '/^Mem:/ {print $2}') GB, $("$WINE" --version 2>/dev/null), $WINE_ARCH build" >>"$results"
for n in "${sizes[@]}"; do
  server="mle-bench-$n"
  db="$WINEPREFIX/drive_c/$server/config/quillnode.db"
  python3 bench/make_machine_table.py "$n" "$db"
  out="C:\\mle-bench-out\\export-$n.txt"
  mkdir -p "$WINEPREFIX/drive_c/mle-bench-out"
  echo "rows=$n" >>"$results"
  echo "  $n rows: baselines" >&2
  winedb="C:\\$server\\config\\quillnode.db"
  run "$RUN_DIR/bench/baselines.exe" sql "$winedb" "$n" transaction | sed "s/^/$n./" >>"$results"
  if [ "$full" = 1 ] || [ "$n" = "$smallest" ]; then
    run "$RUN_DIR/bench/baselines.exe" sql "$winedb" "$n" autocommit | sed "s/^/$n./" >>"$results"
  fi
  run "$RUN_DIR/bench/baselines.exe" list "$winedb" "$n" "C:\\mle-bench-out\\baseline-$n.txt" | sed "s/^/$n./" >>"$results"
  echo "  $n rows: the tool, and the tool on an empty table" >&2
  run "$RUN_DIR/bench/bench_driver.exe" steps "$n" "$server" "$out" | sed "s/^/$n./" >>"$results" ||
    echo "$n.failed=steps" >>"$results"
done
python3 bench/make_machine_table.py 0 "$WINEPREFIX/drive_c/mle-bench-0/config/quillnode.db"
run "$RUN_DIR/bench/bench_driver.exe" steps 0 mle-bench-0 "C:\\mle-bench-out\\export-0.txt" | sed "s/^/0./" >>"$results" || true

# This tree's own writer: the i686 tree holds the 64-bit tree in x64/.
writer="$RUN_DIR/bin/server_writer.exe"
if [ "$has_writer" = 1 ] && [ -f "$writer" ]; then
  winwriter=$("$WINE" winepath -w "$writer" 2>/dev/null | tr -d '\r')
  # NAME ROWS: a server that commits one-row transactions (hold 5 ms, rest
  # 20 ms, busy timeout 5 s) alone, then beside a load of each size; a
  # hostile server that holds its lock 1.9 s of every 2 s beside a load of
  # the smallest size, whose load must end within the tool's wait budget.
  writer_run() {  # name rows hold rest seconds
    local name=$1 n=$2 table=$2
    [ "$n" = 0 ] && table=$smallest
    echo "  $n rows: the tool beside the server writer ($name)" >&2
    run "$RUN_DIR/bench/bench_driver.exe" writer "$name" "$n" "mle-bench-$table" "$winwriter" \
      "C:\\mle-bench-$table\\config\\quillnode.db" "$3" "$4" "$5" 5000 | sed "s/^/$table./" >>"$results" || true
  }
  writer_run alone 0 5 20 8
  for n in "${sizes[@]}"; do writer_run writer "$n" 5 20 10; done
  writer_run hostile "$smallest" 1900 20 12
else
  echo "writer=missing" >>"$results"
fi
python3 bench/report.py "$results"
