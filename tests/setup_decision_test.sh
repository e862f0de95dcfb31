#!/usr/bin/env bash
# Set-up's decisions against stand-in package managers: tools/setup.sh runs
# with a PATH of stand-ins for apt-get, apt-cache, dpkg, dpkg-query, npm
# and the locale tools and with SETUP_ROOT at a scratch root, so this
# machine's packages are never touched. SETUP_KERNEL32 stands in for the
# kernel's answer to a 32-bit program. The stand-in apt-get fails the way a
# mirror in the middle of a sync does, or succeeds, as the scenario says.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
setup="$here/../tools/setup.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

fail() { echo "FAIL [$scenario]: $*"; failures=$((failures + 1)); }
expect_out() { grep -qF -- "$1" "$scratch/out" || fail "output lacks: $1"; }
expect_no_out() { ! grep -qF -- "$1" "$scratch/out" || fail "output has: $1"; }
calls() { grep -c -- "$1" "$scratch/calls" || true; }
expect_calls() { [ "$(calls "$1")" -eq "$2" ] || fail "$1 ran $(calls "$1") times, expected $2"; }
expect_exit() { [ "$rc" -eq "$1" ] || fail "exit code $rc, expected $1"; }
last_install() { grep '^apt-get install' "$scratch/calls" | grep -v ' -s ' | tail -n 1; }

# A fresh scratch root and PATH for one scenario. APT_MODE tells the
# stand-in apt-get how to behave:
#   healthy    every call succeeds; an install "installs" Wine's loaders
#   mirror     update fails with a mirror's message, and the security
#              suite has no i386 list: an install naming an i386 package
#              resolves only with that suite set aside
#   stuck      as mirror, but the i386 packages never resolve
#   once       update fails once, then succeeds
#   broken     update succeeds; an install naming cmake cannot be resolved
# With FROM_SECURITY=yes the machine already has libgstreamer's amd64
# library at the security suite's version: the i386 packages then resolve
# only once it moves to the main suite's version.
prepare() {  # scenario
  scenario=$1
  rm -rf "$scratch/root" "$scratch/bin"
  mkdir -p "$scratch/root/lib" "$scratch/root/etc" "$scratch/bin"
  : > "$scratch/calls"
  rm -f "$scratch/updated-once"
  for tool in bash grep seq sleep dirname mkdir chmod touch mktemp rm sed sort awk tr cut join find date head cat; do
    ln -s "$(command -v "$tool")" "$scratch/bin/$tool"
  done
  cat > "$scratch/bin/apt-get" <<'EOF'
#!/bin/bash
echo "apt-get $*" >> "$CALLS"
set_aside() {  # true when the preferences file named sets the security suite aside
  local a
  for a in "$@"; do
    case "$a" in Dir::Etc::Preferences=*) grep -q 'Pin: release n=bookworm-security' "${a#*=}" && return 0 ;; esac
  done
  return 1
}
case "$1" in
  update)
    if [ "$APT_MODE" = mirror ] || [ "$APT_MODE" = stuck ] || { [ "$APT_MODE" = once ] && [ ! -f "$CALLS_DIR/updated-once" ]; }; then
      touch "$CALLS_DIR/updated-once"
      echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?" >&2
      echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
      exit 100
    fi
    exit 0 ;;
  install)
    unresolved=
    if [[ " $* " == *:i386* ]]; then
      case "$APT_MODE" in
        stuck) unresolved=1 ;;
        mirror)
          if ! set_aside "$@"; then unresolved=1
          elif [ "${FROM_SECURITY:-}" = yes ] && { [[ " $* " != *" libgstreamer-plugins-base1.0-0:i386=1.22.0-3+deb12u6 "* ]] || [[ " $* " != *" --allow-downgrades "* ]]; }; then
            unresolved=1
          fi ;;
      esac
    fi
    [ "$APT_MODE" = broken ] && [[ " $* " == *" cmake "* ]] && unresolved=1
    if [ -n "$unresolved" ]; then
      echo " libwine:i386 : Depends: libgstreamer-plugins-base1.0-0:i386 (>= 1.0.0) but it is not installable"
      echo "E: Unable to correct problems, you have held broken packages." >&2
      exit 100
    fi
    if [[ " $* " != *" -s "* ]]; then
      mkdir -p "$SETUP_ROOT/usr/lib/wine"
      [[ " $* " == *" wine64 "* ]] && : > "$SETUP_ROOT/usr/lib/wine/wine64" && chmod +x "$SETUP_ROOT/usr/lib/wine/wine64"
      [[ " $* " == *" wine32:i386 "* ]] && : > "$SETUP_ROOT/usr/lib/wine/wine" && chmod +x "$SETUP_ROOT/usr/lib/wine/wine"
    fi
    exit 0 ;;
esac
EOF
  # The package lists: the main suite and its updates with both
  # architectures; the security suite's i386 list missing on a broken mirror.
  cat > "$scratch/bin/apt-cache" <<'EOF'
#!/bin/bash
echo "apt-cache $*" >> "$CALLS"
while [ "${1:-}" = -o ]; do shift 2; done
release() { printf ' 500 http://deb.debian.org/%s %s/main %s Packages\n     release v=12,o=Debian,a=x,n=%s,l=Debian,c=main,b=%s\n' "$1" "$2" "$3" "$2" "$3"; }
if [ "$1" = policy ] && [ $# -eq 1 ]; then
  echo "Package files:"
  echo " 100 /var/lib/dpkg/status"
  echo "     release a=now"
  release debian-security bookworm-security amd64
  case "$APT_MODE" in mirror | stuck) ;; *) release debian-security bookworm-security i386 ;; esac
  release debian bookworm-updates amd64; release debian bookworm-updates i386
  release debian bookworm amd64; release debian bookworm i386
elif [ "$1" = policy ]; then
  for p in "${@:2}"; do
    case "$p" in
      libgstreamer-plugins-base1.0-0)
        echo "$p:"
        if [ "${FROM_SECURITY:-}" = yes ]; then
          printf '  Installed: 1.22.0-3+deb12u7\n  Candidate: 1.22.0-3+deb12u7\n  Version table:\n'
          printf ' *** 1.22.0-3+deb12u7 500\n        500 http://deb.debian.org/debian-security bookworm-security/main amd64 Packages\n        100 /var/lib/dpkg/status\n'
          printf '     1.22.0-3+deb12u6 500\n        500 http://deb.debian.org/debian bookworm/main amd64 Packages\n'
        else
          printf '  Installed: 1.22.0-3+deb12u6\n  Candidate: 1.22.0-3+deb12u7\n  Version table:\n'
          printf '     1.22.0-3+deb12u7 500\n        500 http://deb.debian.org/debian-security bookworm-security/main amd64 Packages\n'
          printf ' *** 1.22.0-3+deb12u6 500\n        500 http://deb.debian.org/debian bookworm/main amd64 Packages\n        100 /var/lib/dpkg/status\n'
        fi ;;
      zlib1g)
        printf '%s:\n  Installed: 1:1.2.13.dfsg-1\n  Candidate: 1:1.2.13.dfsg-1\n  Version table:\n' "$p"
        printf ' *** 1:1.2.13.dfsg-1 500\n        500 http://deb.debian.org/debian bookworm/main amd64 Packages\n        100 /var/lib/dpkg/status\n' ;;
    esac
  done
elif [ "$1" = depends ]; then
  printf 'wine32:i386\n  Depends: libwine:i386\nlibwine:i386\n  Depends: libgstreamer-plugins-base1.0-0:i386\n  Depends: zlib1g:i386\n'
  printf 'libgstreamer-plugins-base1.0-0:i386\nzlib1g:i386\n<debconf-2.0:i386>\n'
fi
EOF
  cat > "$scratch/bin/dpkg-query" <<'EOF'
#!/bin/bash
if [ "${FROM_SECURITY:-}" = yes ]; then v=1.22.0-3+deb12u7; else v=1.22.0-3+deb12u6; fi
printf 'libgstreamer-plugins-base1.0-0:amd64 %s same\nzlib1g:amd64 1:1.2.13.dfsg-1 same\nbash 5.2.15-2+b7 foreign\n' "$v"
EOF
  cat > "$scratch/bin/dpkg" <<'EOF'
#!/bin/bash
echo "dpkg $*" >> "$CALLS"
exit 0
EOF
  printf '#!/bin/sh\necho zh_CN.utf8\n' > "$scratch/bin/locale"
  printf '#!/bin/sh\necho "locale-gen" >> "$CALLS"\n' > "$scratch/bin/locale-gen"
  chmod +x "$scratch/bin/"*
}

# Everything but Wine's 32-bit packages already installed.
provide_all_but_32bit() {
  local c
  for c in i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix wine Xvfb xvfb-run import cmake ninja sqlite3 npm iconv python3; do
    printf '#!/bin/sh\nexit 0\n' > "$scratch/bin/$c"; chmod +x "$scratch/bin/$c"
  done
  mkdir -p "$scratch/root/usr/lib/wine" "$scratch/root/usr/src/googletest" "$scratch/root/usr/share/fonts/truetype/wqy"
  : > "$scratch/root/usr/lib/wine/wine64"; chmod +x "$scratch/root/usr/lib/wine/wine64"
  : > "$scratch/root/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
}

run_setup() {  # apt-mode [VAR=value...]; sets rc
  local mode=$1; shift
  env -i PATH="$scratch/bin" SETUP_ROOT="$scratch/root" SETUP_PAUSE=0 SETUP_KERNEL32="${kernel32:-yes}" \
    APT_MODE="$mode" CALLS="$scratch/calls" CALLS_DIR="$scratch" "$@" bash "$setup" > "$scratch/out" 2>&1
  rc=$?
}

# The build the scripts choose afterwards, and why.
chosen_build() {
  env -i PATH="$scratch/bin" SETUP_ROOT="$scratch/root" SETUP_KERNEL32="${kernel32:-yes}" bash -c \
    ". '$here/../tools/wine-arch.sh'; if native_32bit; then echo win32; else echo \"win64: \$WHY_64BIT\"; fi"
}

# No i386 libc is installed in any scratch root (/lib/ld-linux.so.2 is
# absent): only the kernel's answer tells whether the 32-bit Wine is asked for.
kernel32=yes
prepare "a fresh machine with a mirror whose security suite lacks its i386 list"
run_setup mirror
expect_exit 0
expect_calls 'apt-get update' 3
expect_out "apt-get update failed (try 1 of 3): E: Failed to fetch"
expect_out "apt-get update failed 3 times; going on with the package lists at hand"
grep -q 'dpkg --add-architecture i386' "$scratch/calls" || fail "the i386 architecture was not added"
# First one resolution of everything as the lists are, then the same with
# the security suite set aside, which installs the 32-bit and 64-bit
# packages together: nothing installed has to move.
[ "$(grep '^apt-get install' "$scratch/calls" | grep -v ' -s ' | grep -c 'wine64.*wine32:i386')" -eq 2 ] ||
  fail "the 32-bit and 64-bit packages were not asked for together, first as is and then with a suite set aside"
last_install | grep -q 'Dir::Etc::Preferences=' || fail "the last install did not set a suite aside"
expect_out "resolving them again with the suites bookworm-security set aside"
expect_no_out "moving"
expect_no_out "64-bit path"
[ "$(chosen_build)" = win32 ] || fail "the scripts chose: $(chosen_build)"

prepare "a mirror whose security suite lacks its i386 list, on a machine with a library from that suite"
provide_all_but_32bit
run_setup mirror FROM_SECURITY=yes
expect_exit 0
expect_out "setup: moving libgstreamer-plugins-base1.0-0 from 1.22.0-3+deb12u7 (bookworm-security) to 1.22.0-3+deb12u6"
[ "$(grep -c '^setup: moving' "$scratch/out")" -eq 1 ] || fail "moved more than the one library that must move"
last_install | grep -q ' --allow-downgrades ' || fail "the move was not allowed"
last_install | grep -q 'libgstreamer-plugins-base1.0-0:amd64=1.22.0-3+deb12u6' || fail "the amd64 library was not moved with its twin"
last_install | grep -q 'zlib1g' && fail "a library that need not move was named"
[ "$(chosen_build)" = win32 ] || fail "the scripts chose: $(chosen_build)"

prepare "a mirror on which the 32-bit packages never resolve"
run_setup stuck
expect_exit 0
expect_out "resolving them again with the suites bookworm-security set aside"
expect_out "they do not resolve with those suites set aside either: E: Unable to correct problems"
! last_install | grep -q 'i386' || fail "the last install still names an i386 package"
last_install | grep -q 'wine64' || fail "the 64-bit packages were not installed last"
expect_out "Wine's 32-bit packages (wine32:i386) cannot be installed"
expect_out "take the 64-bit path (build/x64"
case "$(chosen_build)" in
  *"could not be installed (last tried "*"SETUP_TRY_32BIT=1 ./test.sh") ;;
  *) fail "the scripts chose: $(chosen_build)" ;;
esac
# Within the hour a run that needs nothing else asks apt nothing and
# pauses nowhere; after it, or when told to, it tries again.
provide_all_but_32bit
: > "$scratch/calls"
run_setup stuck
expect_exit 0
! grep -q '^apt-' "$scratch/calls" || fail "a run within the hour called: $(grep -m1 '^apt-' "$scratch/calls")"
expect_out "not trying Wine's 32-bit packages again yet"
run_setup healthy SETUP_TRY_32BIT=1
grep -q 'apt-get install.* wine32:i386' "$scratch/calls" || fail "SETUP_TRY_32BIT=1 did not try the 32-bit packages"
[ "$(chosen_build)" = win32 ] || fail "after the 32-bit packages came, the scripts chose: $(chosen_build)"
[ ! -e "$scratch/root/var/lib/machine-list-export/wine32-failed" ] || fail "the mark of the failed try was kept after success"
rm -f "$scratch/root/usr/lib/wine/wine"
mkdir -p "$scratch/root/var/lib/machine-list-export"
touch -d '2 hours ago' "$scratch/root/var/lib/machine-list-export/wine32-failed"
: > "$scratch/calls"
run_setup healthy
grep -q 'apt-get install.* wine32:i386' "$scratch/calls" || fail "a run two hours after a failed try did not try again"

prepare "a healthy mirror"
run_setup healthy
expect_exit 0
expect_calls 'apt-get update' 1
expect_calls 'apt-get install' 1
expect_no_out "64-bit path"
expect_no_out "failed"
[ "$(chosen_build)" = win32 ] || fail "the scripts chose: $(chosen_build)"
# With everything in place, a second run asks apt nothing at all.
provide_all_but_32bit
: > "$scratch/calls"
run_setup healthy
! grep -q '^apt-' "$scratch/calls" || fail "a run that needs nothing called: $(grep -m1 '^apt-' "$scratch/calls")"

prepare "an update that fails once"
run_setup once
expect_exit 0
expect_calls 'apt-get update' 2
expect_out "try 1 of 3"
expect_no_out "going on with the package lists at hand"
[ "$(chosen_build)" = win32 ] || fail "the scripts chose: $(chosen_build)"

prepare "a package every path needs cannot be installed"
run_setup broken
expect_exit 1
expect_out "setup: cannot install cmake, which the build and the tests need: E: Unable to correct problems"
expect_no_out "64-bit path"

kernel32=no
prepare "a mirror mid-sync, on a machine without 32-bit code"
run_setup mirror
expect_exit 0
grep -q 'i386' "$scratch/calls" && fail "asked for i386 packages on a machine that cannot run them"
expect_no_out "Wine's 32-bit packages"
case "$(chosen_build)" in
  "win64: this machine's kernel runs no 32-bit x86 code"*) ;;
  *) fail "the scripts chose: $(chosen_build)" ;;
esac

# The kernel itself: where Wine's 32-bit loader runs, the probe must say so.
scenario="the kernel's answer on this machine"
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  bash -c ". '$here/../tools/wine-arch.sh'; kernel_runs_32bit" || fail "Wine's 32-bit loader runs here, but the probe says the kernel runs no 32-bit code"
fi

# A fetch of the SQLite package that fails says npm's error and what to try.
scenario="a fetch of the SQLite package that fails"
mkdir -p "$scratch/npm"
cat > "$scratch/npm/npm" <<'EOF'
#!/bin/sh
# As npm does, --silent (or --loglevel=silent) says nothing at all.
case " $* " in *" --silent "* | *" --loglevel=silent "* | *" --loglevel silent "*) exit 1 ;; esac
echo "npm error code SELF_SIGNED_CERT_IN_CHAIN" >&2
echo "npm error errno SELF_SIGNED_CERT_IN_CHAIN" >&2
echo "npm error request to https://registry.npmjs.org/sqlite3 failed, reason: self-signed certificate in certificate chain" >&2
exit 1
EOF
chmod +x "$scratch/npm/npm"
PATH="$scratch/npm:$PATH" FETCH_SQLITE_DEST="$scratch/sqlite" bash "$here/../tools/fetch-sqlite.sh" > "$scratch/out" 2>&1
rc=$?
expect_exit 1
expect_out "npm could not fetch the SQLite package sqlite3@5.1.7: npm error code SELF_SIGNED_CERT_IN_CHAIN; request to https://registry.npmjs.org/sqlite3 failed"
expect_out "add your network's CA"
[ "$(wc -l < "$scratch/out")" -le 2 ] || fail "the failure took more than two lines"

if [ $failures -gt 0 ]; then
  echo "$failures failures"
  exit 1
fi
echo "set-up chose right in every scenario"
