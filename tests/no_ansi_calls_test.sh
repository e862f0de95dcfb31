#!/usr/bin/env bash
# The program's own code (its libraries, not the toolchain's) calls no
# function of the system code page: every Win32 call that carries text goes
# through the GBK/UTF-16 boundary and its W functions. Run on the build
# machine with the cross toolchain's nm.
#   no_ansi_calls_test.sh NM LIBRARY...
set -uo pipefail
nm="$1"; shift
found=0
for lib in "$@"; do
  # Import references of both bitnesses: __imp__NameA@8 (i686), __imp_NameA (x86_64).
  hits=$("$nm" "$lib" 2>/dev/null | grep -E ' U __imp__?[A-Za-z0-9]+A(@[0-9]+)?$' | sed -E 's/.*__imp__?//; s/@[0-9]+$//' | sort -u)
  if [ -n "$hits" ]; then
    echo "$(basename "$lib") calls: $(echo $hits)"
    found=1
  fi
done
[ "$found" = 0 ] && echo "no A function called in: $(for l in "$@"; do basename "$l"; done | tr '\n' ' ')"
exit "$found"
