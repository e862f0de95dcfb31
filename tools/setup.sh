#!/usr/bin/env bash
# Installs what the cross build and the Wine test bench need, once.
# Safe to run again: each step checks before it acts.
#
# A package mirror can fail for a while (an index mid-sync, a suite whose
# i386 list is missing). Set-up then tries `apt-get update` again a few
# times, goes on with the lists it has, and stops only when a package that
# the chosen path needs cannot be installed. When Wine's 32-bit packages
# cannot be installed but the 64-bit ones can, the scripts take the 64-bit
# path (build/x64 under Wine's 64-bit loader) and the next run tries the
# 32-bit packages again.
#
# SETUP_ROOT (tests only) puts the files that set-up looks at under another
# root; SETUP_PAUSE is the pause in seconds between tries of an update.
set -euo pipefail
root="${SETUP_ROOT:-}"
pause="${SETUP_PAUSE:-10}"
update_tries=3
. "$(dirname "${BASH_SOURCE[0]}")/wine-arch.sh"

have() { command -v "$1" >/dev/null 2>&1; }

# Packages every path needs, and the 32-bit Wine packages the default path
# adds where the machine runs 32-bit x86 code.
need_pkgs=()
have i686-w64-mingw32-g++-posix || need_pkgs+=(g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686)
# The 64-bit cross compiler builds the test copy for machines that run no
# 32-bit Windows code (Wine's 64-bit loader then runs it).
have x86_64-w64-mingw32-g++-posix || need_pkgs+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev)
{ have wine && [ -x "$root$WINE64_LOADER" ]; } || need_pkgs+=(wine wine64 fonts-wine)
have Xvfb || need_pkgs+=(xvfb xauth)
have xvfb-run || need_pkgs+=(xvfb)
have import || need_pkgs+=(imagemagick)
have cmake || need_pkgs+=(cmake)
have ninja || need_pkgs+=(ninja-build)
have sqlite3 || need_pkgs+=(sqlite3)
have npm || need_pkgs+=(npm)
have iconv || need_pkgs+=(libc-bin)
have python3 || need_pkgs+=(python3)
[ -d "$root/usr/src/googletest" ] || need_pkgs+=(googletest)
[ -f "$root/usr/share/fonts/truetype/wqy/wqy-microhei.ttc" ] || need_pkgs+=(fonts-wqy-microhei)
dpkg -s locales >/dev/null 2>&1 || need_pkgs+=(locales)
need32=()
if kernel_runs_32bit && ! [ -x "$root$WINE32_LOADER" ]; then need32=(wine32:i386); fi

# `apt-get update`, tried again after a pause while it fails. A failure
# after the last try is not the end: the lists at hand may serve.
update_lists() {
  local try
  for try in $(seq "$update_tries"); do
    if apt-get update -qq; then return 0; fi
    if [ "$try" -lt "$update_tries" ]; then
      echo "setup: apt-get update failed (try $try of $update_tries); trying again in ${pause} s"
      sleep "$pause"
    fi
  done
  echo "setup: apt-get update failed $update_tries times; going on with the package lists at hand"
}

install_pkgs() { apt-get install -y -qq --no-install-recommends "$@" >/dev/null; }

# The first package of the list that cannot be installed on its own.
first_uninstallable() {
  local p
  for p in "$@"; do
    apt-get install -s -y --no-install-recommends "$p" >/dev/null 2>&1 || { echo "$p"; return; }
  done
  echo "${1:-}"
}

if [ $((${#need_pkgs[@]} + ${#need32[@]})) -gt 0 ]; then
  echo "setup: installing $(echo ${need_pkgs[*]} ${need32[*]})"
  export DEBIAN_FRONTEND=noninteractive
  if [ ${#need32[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  update_lists
  if ! install_pkgs "${need_pkgs[@]}" "${need32[@]}"; then
    if [ ${#need32[@]} -gt 0 ] && { [ ${#need_pkgs[@]} -eq 0 ] || install_pkgs "${need_pkgs[@]}"; }; then
      echo "setup: Wine's 32-bit packages (${need32[*]}) cannot be installed from the package lists now;" \
        "the tests and the tool take the 64-bit path (build/x64 under Wine's 64-bit loader)." \
        "The next run of ./test.sh or ./run.sh tries the 32-bit packages again."
    else
      bad=$(first_uninstallable "${need_pkgs[@]}" "${need32[@]}")
      echo "setup: cannot install $bad, which the build and the tests need." \
        "Try again later (a mirror may be mid-sync), or run 'apt-get update' and 'apt-get install $bad' to see why." >&2
      exit 1
    fi
  fi
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  grep -q '^zh_CN.UTF-8 UTF-8' "$root/etc/locale.gen" 2>/dev/null || echo "zh_CN.UTF-8 UTF-8" >> "$root/etc/locale.gen"
  locale-gen >/dev/null
fi
