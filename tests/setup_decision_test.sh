#!/usr/bin/env bash
# Set-up's decisions against stand-in package managers: tools/setup.sh runs
# with a PATH of stand-ins for apt-get, dpkg and the locale tools and with
# SETUP_ROOT at a scratch root, so this machine's packages are never touched.
# The stand-in apt-get fails the way a mirror in the middle of a sync does,
# or succeeds, as the scenario says.
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

# A fresh scratch root and PATH for one scenario. APT_MODE tells the
# stand-in apt-get how to behave:
#   healthy    every call succeeds; an install "installs" Wine's loaders
#   mirror     update fails with a mirror's message; an install naming an
#              i386 package cannot be resolved
#   once       update fails once, then succeeds
#   broken     update succeeds; an install naming cmake cannot be resolved
prepare() {  # scenario kernel32 (yes|no)
  scenario=$1
  rm -rf "$scratch/root" "$scratch/bin"
  mkdir -p "$scratch/root/lib" "$scratch/root/etc" "$scratch/bin"
  : > "$scratch/calls"
  rm -f "$scratch/updated-once"
  if [ "$2" = yes ]; then printf '#!/bin/sh\nexit 0\n' > "$scratch/root/lib/ld-linux.so.2"; chmod +x "$scratch/root/lib/ld-linux.so.2"; fi
  for tool in bash grep seq sleep dirname mkdir chmod touch; do ln -s "$(command -v "$tool")" "$scratch/bin/$tool"; done
  cat > "$scratch/bin/apt-get" <<'EOF'
#!/bin/bash
echo "apt-get $*" >> "$CALLS"
case "$1" in
  update)
    if [ "$APT_MODE" = mirror ] || { [ "$APT_MODE" = once ] && [ ! -f "$CALLS_DIR/updated-once" ]; }; then
      touch "$CALLS_DIR/updated-once"
      echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?" >&2
      echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
      exit 100
    fi
    exit 0 ;;
  install)
    if { [ "$APT_MODE" = mirror ] && [[ " $* " == *:i386* ]]; } || { [ "$APT_MODE" = broken ] && [[ " $* " == *" cmake "* ]]; }; then
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
  cat > "$scratch/bin/dpkg" <<'EOF'
#!/bin/bash
echo "dpkg $*" >> "$CALLS"
exit 0
EOF
  printf '#!/bin/sh\necho zh_CN.utf8\n' > "$scratch/bin/locale"
  printf '#!/bin/sh\necho "locale-gen" >> "$CALLS"\n' > "$scratch/bin/locale-gen"
  chmod +x "$scratch/bin/"*
}

run_setup() {  # apt-mode; sets rc
  env -i PATH="$scratch/bin" SETUP_ROOT="$scratch/root" SETUP_PAUSE=0 APT_MODE="$1" \
    CALLS="$scratch/calls" CALLS_DIR="$scratch" bash "$setup" > "$scratch/out" 2>&1
  rc=$?
}

# The build the scripts choose afterwards, and why.
chosen_build() {
  env -i PATH="$scratch/bin" SETUP_ROOT="$scratch/root" bash -c \
    ". '$here/../tools/wine-arch.sh'; if native_32bit; then echo win32; else echo \"win64: \$WHY_64BIT\"; fi"
}

prepare "a mirror mid-sync, on a machine that runs 32-bit code" yes
run_setup mirror
expect_exit 0
expect_calls 'apt-get update' 3
expect_out "apt-get update failed (try 1 of 3); trying again"
expect_out "apt-get update failed 3 times; going on with the package lists at hand"
grep -q 'apt-get install.* wine32:i386' "$scratch/calls" || fail "the 32-bit packages were not tried"
tail -n 1 "$scratch/calls" | grep -q 'wine64' || fail "the 64-bit packages were not installed last"
! tail -n 1 "$scratch/calls" | grep -q 'i386' || fail "the last install still names an i386 package"
grep -q 'dpkg --add-architecture i386' "$scratch/calls" || fail "the i386 architecture was not added"
expect_out "Wine's 32-bit packages (wine32:i386) cannot be installed"
expect_out "take the 64-bit path (build/x64"
case "$(chosen_build)" in
  "win64: Wine's 32-bit packages are not installed"*) ;;
  *) fail "the scripts chose: $(chosen_build)" ;;
esac
# The next run tries the 32-bit packages again, and a healed mirror gives them.
: > "$scratch/calls"
run_setup healthy
expect_exit 0
grep -q 'apt-get install.* wine32:i386' "$scratch/calls" || fail "the next run did not try the 32-bit packages again"
[ "$(chosen_build)" = win32 ] || fail "after the 32-bit packages came, the scripts chose: $(chosen_build)"

prepare "a healthy mirror" yes
run_setup healthy
expect_exit 0
expect_calls 'apt-get update' 1
expect_calls 'apt-get install' 1
expect_no_out "64-bit path"
expect_no_out "failed"
[ "$(chosen_build)" = win32 ] || fail "the scripts chose: $(chosen_build)"
# With the 32-bit loader in place, a second run does not ask for it again.
: > "$scratch/calls"
run_setup healthy
grep -q 'wine32:i386' "$scratch/calls" && fail "the second run asked for the 32-bit packages again"

prepare "an update that fails once" yes
run_setup once
expect_exit 0
expect_calls 'apt-get update' 2
expect_out "try 1 of 3"
expect_no_out "going on with the package lists at hand"
[ "$(chosen_build)" = win32 ] || fail "the scripts chose: $(chosen_build)"

prepare "a package every path needs cannot be installed" yes
run_setup broken
expect_exit 1
expect_out "setup: cannot install cmake, which the build and the tests need"
expect_no_out "64-bit path"

prepare "a mirror mid-sync, on a machine without 32-bit code" no
run_setup mirror
expect_exit 0
grep -q 'i386' "$scratch/calls" && fail "asked for i386 packages on a machine that cannot run them"
expect_no_out "Wine's 32-bit packages"
case "$(chosen_build)" in
  "win64: this machine runs no 32-bit x86 code") ;;
  *) fail "the scripts chose: $(chosen_build)" ;;
esac

if [ $failures -gt 0 ]; then
  echo "$failures failures"
  exit 1
fi
echo "set-up chose right in every scenario"
