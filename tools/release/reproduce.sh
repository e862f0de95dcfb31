#!/usr/bin/env bash
# Shows that a release is reproducible to the byte: builds one commit in two
# fresh clones at different paths, one after the other, the second in
# another time zone and with another umask, each with ./release.sh, and
# compares the programs, the archives and SHA256SUMS. Exit code 0 only when
# all three are identical. Takes two full builds of the program (several
# minutes each on a 2-core machine); not part of ./test.sh.
#   tools/release/reproduce.sh [COMMIT] [--keep]
#     COMMIT: what to build (default: HEAD of this checkout)
#     --keep: leave the two clones in place (their paths are printed)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
commit=HEAD keep=
for arg in "$@"; do
  case "$arg" in
    --keep) keep=1 ;;
    -*) echo "usage: tools/release/reproduce.sh [COMMIT] [--keep]" >&2; exit 2 ;;
    *) commit="$arg" ;;
  esac
done
commit=$(git -C "$top" rev-parse --verify "$commit^{commit}")
work=$(mktemp -d "${TMPDIR:-/tmp}/mle-reproduce.XXXXXX")
[ -n "$keep" ] || trap 'rm -rf "$work"' EXIT
# The paths differ in length and depth, so that no offset can hide one.
clones=("$work/first" "$work/second/clone at another path")
# The commit's own time, not one from the environment.
unset SOURCE_DATE_EPOCH

build() {  # clone-dir
  git clone -q --no-hardlinks "$top" "$1"
  git -C "$1" checkout -q --detach "$commit"
  echo "reproduce.sh: building $commit in $1 ($(date -u +%H:%M:%S) UTC, TZ=${TZ:-unset}, umask $(umask))"
  (cd "$1" && ./release.sh >"$work/build-$(basename "$1").log" 2>&1) || {
    echo "reproduce.sh: the build in $1 failed; its log:" >&2
    tail -n 30 "$work/build-$(basename "$1").log" >&2
    exit 1
  }
}

build "${clones[0]}"
(export TZ=Asia/Shanghai; umask 0077; build "${clones[1]}")

version=$(sed -n 's/.*"version": "\(.*\)".*/\1/p' "${clones[0]}/build/release/release.json")
zip="dist/machine-list-export-$version-win32.zip"
same=0
for f in build/bin/machine-list-export.exe "$zip" dist/SHA256SUMS; do
  a="${clones[0]}/$f" b="${clones[1]}/$f"
  if cmp -s "$a" "$b"; then
    echo "identical: $f  $(sha256sum "$a" | cut -d' ' -f1)"
  else
    same=1
    echo "DIFFERENT: $f ($(cmp -l "$a" "$b" 2>/dev/null | wc -l) bytes differ; first: $(cmp "$a" "$b" 2>&1 | head -n 1))"
  fi
done
[ -z "$keep" ] || echo "reproduce.sh: the clones are in $work"
exit "$same"
