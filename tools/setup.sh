#!/usr/bin/env bash
# Installs what the cross build and the Wine test bench need, once.
# Safe to run again: each step checks before it acts, and a run that needs
# nothing asks no package manager anything.
#
# Where the kernel runs 32-bit x86 code, Wine's 32-bit packages are asked
# for in the same resolution as everything else, so that nothing installed
# must move later. A package mirror can fail for a while (an index
# mid-sync, a suite whose i386 list is missing or older than its amd64
# list). Set-up then tries `apt-get update` again a few times, goes on with
# the lists it has, and when the 32-bit packages do not resolve, resolves
# them again with the suites whose i386 lists are missing set aside for this
# one install: the main suite gives both architectures at one version. A
# library that the machine already took from a set-aside suite and whose
# i386 twin exists only at the main suite's version is moved to that
# version, and named. Only when that fails too do the scripts take the
# 64-bit path (build/x64 under Wine's 64-bit loader); the mark of that try
# ($WINE32_MARK) keeps later runs from trying again within the hour, and
# SETUP_TRY_32BIT=1 tries at once. Set-up stops only when a package that
# every path needs cannot be installed.
#
# SETUP_ROOT (tests only) puts the files that set-up looks at under another
# root; SETUP_PAUSE is the pause in seconds between tries of an update.
set -euo pipefail
root="${SETUP_ROOT:-}"
pause="${SETUP_PAUSE:-10}"
update_tries=3
. "$(dirname "${BASH_SOURCE[0]}")/wine-arch.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

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
if kernel_runs_32bit && ! [ -x "$root$WINE32_LOADER" ]; then
  if [ -z "${SETUP_TRY_32BIT:-}" ] && wine32_tried_lately; then
    echo "setup: not trying Wine's 32-bit packages again yet (they failed at $(date -r "$root$WINE32_MARK" '+%H:%M'), less than an hour ago; SETUP_TRY_32BIT=1 tries at once)"
  else
    need32=(wine32:i386)
  fi
fi

# apt's first error line in a log, for a message of one line.
first_error() { grep -m1 '^E: ' "$1" 2>/dev/null || grep -m1 . "$1" 2>/dev/null || echo "(no message)"; }

# `apt-get update`, tried again after a pause while it fails. A failure
# after the last try is not the end: the lists at hand may serve.
update_lists() {
  local try
  for try in $(seq "$update_tries"); do
    if apt-get update -qq >"$work/update.log" 2>&1; then return 0; fi
    echo "setup: apt-get update failed (try $try of $update_tries): $(first_error "$work/update.log")"
    if [ "$try" -lt "$update_tries" ]; then
      echo "setup: trying again in ${pause} s"
      sleep "$pause"
    fi
  done
  echo "setup: apt-get update failed $update_tries times; going on with the package lists at hand"
}

# Installs the packages (and pinned versions) given after the apt options;
# apt's output goes to $work/install.log.
install_pkgs() { apt-get install -y -qq --no-install-recommends "$@" >"$work/install.log" 2>&1 </dev/null; }
simulate() { apt-get install -s -y --no-install-recommends "$@" >"$work/install.log" 2>&1 </dev/null; }

# The first package of the list that cannot be installed on its own.
first_uninstallable() {
  local p
  for p in "$@"; do
    simulate "$p" || { echo "$p"; return; }
  done
  echo "${1:-}"
}

# The suites (their code names, as `apt-cache policy` gives them) that have
# an amd64 list but no i386 list: their amd64 versions have no i386 twins.
suites_without_i386() {
  apt-cache policy 2>/dev/null | sed -n 's/.*[ ,]n=\([^,]*\),.*b=\([a-z0-9]*\).*/\1 \2/p' | sort -u |
    awk '{ arch[$1] = arch[$1] " " $2 } END { for (s in arch) if (arch[s] ~ / amd64/ && arch[s] !~ / i386/) print s }' | sort
}

# The suites other than the main one (the shortest code name, which the
# others extend: bookworm beside bookworm-updates and bookworm-security).
suites_beside_main() {
  local all; all=$(apt-cache policy 2>/dev/null | sed -n 's/.*[ ,]n=\([^,]*\),.*/\1/p' | sort -u)
  local main; main=$(echo "$all" | awk 'NR == 1 || length($0) < length(m) { m = $0 } END { print m }')
  echo "$all" | awk -v m="$main" '$0 != m && index($0, m) == 1'
}

# An apt preferences file that sets the given suites aside: pinned below
# the installed packages' priority (100), they supply no candidates, and
# nothing installed from them moves unless it must.
write_pin() {  # file suite...
  local f="$1"; shift
  : > "$f"
  for s in "$@"; do
    printf 'Package: *\nPin: release n=%s\nPin-Priority: 90\n\n' "$s" >> "$f"
  done
}

# The installed libraries that stand in the way of the 32-bit packages with
# the suites set aside: in the dependencies of the 32-bit packages, of
# "Multi-Arch: same" (whose amd64 and i386 copies share one version), installed
# at a version that only a set-aside suite has, while the main suite has
# another (the one their i386 twins can have). One line each:
# "package installed-version target-version suite".
moves_needed() {  # pin-file suite...
  local pin="$1"; shift
  local aside=" $* "
  apt-cache -o Dir::Etc::Preferences="$pin" depends --recurse --no-recommends --no-suggests --no-conflicts \
    --no-breaks --no-replaces --no-enhances "${need32[@]}" 2>/dev/null |
    sed -n 's/^\([^ <][^ ]*\):i386$/\1/p' | sort -u > "$work/closure"
  # Only a library of "Multi-Arch: same" must have its twins at one version.
  dpkg-query -W -f '${binary:Package} ${Version} ${Multi-Arch}\n' 2>/dev/null |
    sed -n 's/^\([^ :]*\):amd64 \([^ ]*\) same$/\1 \2/p' | sort -u > "$work/installed"
  local pkgs; pkgs=$(join "$work/closure" "$work/installed" | cut -d' ' -f1)
  [ -n "$pkgs" ] || return 0
  # shellcheck disable=SC2086
  apt-cache policy $pkgs 2>/dev/null | awk -v aside="$aside" '
    /^[^ ].*:$/ { flush(); pkg = substr($0, 1, length($0) - 1); inst = ""; ver = ""; delete from; next }
    /^  Installed: / { inst = $2; next }
    /^ (\*\*\*|   ) [^ ]+ [0-9-]+$/ { ver = ($1 == "***") ? $2 : $1; order[++n] = ver; next }
    /^ +[0-9-]+ [^ ]+ [^ ]+ / && ver != "" { split($3, s, "/"); from[ver] = from[ver] " " s[1]; next }
    function flush(   i, v, only_aside, k, t, target) {
      if (pkg == "" || inst == "" || !(inst in from)) { n = 0; return }
      only_aside = 1
      split(from[inst], t, " ")
      for (k in t) if (index(aside, " " t[k] " ") == 0) only_aside = 0
      target = ""
      for (i = 1; i <= n && target == ""; i++) {
        v = order[i]
        if (v == inst || !(v in from)) continue
        split(from[v], t, " ")
        for (k in t) if (index(aside, " " t[k] " ") == 0) { target = v; break }
      }
      if (only_aside && target != "") { split(from[inst], t, " "); print pkg, inst, target, t[1] }
      n = 0
    }
    END { flush() }'
}

# Wine's 32-bit packages with the packages every path needs, in one
# resolution; then again with the suites whose i386 lists fail set aside,
# moving what must move. True when installed.
install_with_32bit() {
  install_pkgs "${need_pkgs[@]}" "${need32[@]}" && return 0
  echo "setup: Wine's 32-bit packages do not resolve from the package lists as they are: $(first_error "$work/install.log")"
  local aside; aside=$(suites_without_i386 | tr '\n' ' ')
  if [ -z "${aside// /}" ]; then aside=$(suites_beside_main | tr '\n' ' '); fi
  if [ -z "${aside// /}" ]; then
    echo "setup: the package lists have no suite beside the main one to set aside"
    return 1
  fi
  # shellcheck disable=SC2086
  write_pin "$work/pin" $aside
  local opts=(-o Dir::Etc::Preferences="$work/pin") moves=()
  echo "setup: resolving them again with the suites ${aside% } set aside for this install (their i386 lists are missing or out of step)"
  if ! simulate "${opts[@]}" "${need_pkgs[@]}" "${need32[@]}"; then
    # shellcheck disable=SC2086
    moves_needed "$work/pin" $aside > "$work/moves"
    if ! [ -s "$work/moves" ]; then
      echo "setup: they do not resolve with those suites set aside either: $(first_error "$work/install.log")"
      return 1
    fi
    local pkg inst target suite
    while read -r pkg inst target suite; do
      echo "setup: moving $pkg from $inst ($suite) to $target, the version its i386 twin can have"
      moves+=("$pkg:amd64=$target" "$pkg:i386=$target")
    done < "$work/moves"
    opts+=(--allow-downgrades)
  fi
  install_pkgs "${opts[@]}" "${need_pkgs[@]}" "${need32[@]}" "${moves[@]}" && return 0
  echo "setup: they do not install with those suites set aside either: $(first_error "$work/install.log")"
  return 1
}

# Installs the packages every path needs, or stops with the first one that
# cannot be installed and apt's reason.
install_needed_or_stop() {
  [ ${#need_pkgs[@]} -gt 0 ] || return 0
  install_pkgs "${need_pkgs[@]}" && return 0
  local bad; bad=$(first_uninstallable "${need_pkgs[@]}")
  echo "setup: cannot install $bad, which the build and the tests need: $(first_error "$work/install.log")" >&2
  echo "setup: try again later (a mirror may be mid-sync), or run 'apt-get update' and 'apt-get install $bad' to see why" >&2
  exit 1
}

if [ $((${#need_pkgs[@]} + ${#need32[@]})) -gt 0 ]; then
  echo "setup: installing $(echo ${need_pkgs[*]} ${need32[*]})"
  export DEBIAN_FRONTEND=noninteractive
  if [ ${#need32[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  update_lists
  if [ ${#need32[@]} -eq 0 ]; then
    install_needed_or_stop
  elif install_with_32bit; then
    rm -f "$root$WINE32_MARK"
  else
    mkdir -p "$(dirname "$root$WINE32_MARK")" && touch "$root$WINE32_MARK"
    install_needed_or_stop
    echo "setup: Wine's 32-bit packages (${need32[*]}) cannot be installed from the package lists now;" \
      "the tests and the tool take the 64-bit path (build/x64 under Wine's 64-bit loader)." \
      "Set-up tries them again an hour after this try (mark: $WINE32_MARK), or at once with SETUP_TRY_32BIT=1."
  fi
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  grep -q '^zh_CN.UTF-8 UTF-8' "$root/etc/locale.gen" 2>/dev/null || echo "zh_CN.UTF-8 UTF-8" >> "$root/etc/locale.gen"
  if ! locale-gen >"$work/locale.log" 2>&1; then
    echo "setup: locale-gen could not make zh_CN.UTF-8, which gives Wine code page 936: $(grep -m1 . "$work/locale.log")" >&2
    echo "setup: try 'locale-gen' by hand to see why" >&2
    exit 1
  fi
fi
