#!/usr/bin/env bash
# Installs what the cross build and the Wine test bench need, once.
# Safe to run again: each step checks before it acts.
set -euo pipefail

need_pkgs=()
have() { command -v "$1" >/dev/null 2>&1; }
have i686-w64-mingw32-g++-posix || need_pkgs+=(g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686)
have wine || need_pkgs+=(wine wine32:i386 wine64 fonts-wine)
have Xvfb || need_pkgs+=(xvfb xauth)
have xvfb-run || need_pkgs+=(xvfb)
have import || need_pkgs+=(imagemagick)
have cmake || need_pkgs+=(cmake)
have ninja || need_pkgs+=(ninja-build)
have sqlite3 || need_pkgs+=(sqlite3)
have npm || need_pkgs+=(npm)
have iconv || need_pkgs+=(libc-bin)
have python3 || need_pkgs+=(python3)
[ -d /usr/src/googletest ] || need_pkgs+=(googletest)
[ -f /usr/share/fonts/truetype/wqy/wqy-microhei.ttc ] || need_pkgs+=(fonts-wqy-microhei)
dpkg -s locales >/dev/null 2>&1 || need_pkgs+=(locales)
# The 64-bit cross compiler builds the test copy for machines that run no
# 32-bit x86 code (Wine's 64-bit loader then runs it).
have x86_64-w64-mingw32-g++-posix || need_pkgs+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev)

if [ ${#need_pkgs[@]} -gt 0 ]; then
  echo "setup: installing ${need_pkgs[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need_pkgs[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo "zh_CN.UTF-8 UTF-8" >> /etc/locale.gen
  locale-gen >/dev/null
fi

