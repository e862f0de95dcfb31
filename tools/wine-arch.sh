# Sourced by setup.sh and wine-env.sh: which Windows build runs on this
# machine. The i686 build, as shipped, wherever the machine runs 32-bit x86
# code and Wine's 32-bit loader is installed; else the x86_64 build of the
# same sources under Wine's 64-bit loader. SETUP_ROOT (tests only) puts the
# files looked at under another root.
WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64

# Some virtual machines' kernels refuse 32-bit programs, Wine's 32-bit
# loader included.
kernel_runs_32bit() { "${SETUP_ROOT:-}/lib/ld-linux.so.2" --version >/dev/null 2>&1; }

# True when the 32-bit build runs here; otherwise WHY_64BIT says why not.
# RT_FORCE_64BIT=1 takes the 64-bit path on any machine (to try it out).
native_32bit() {
  WHY_64BIT=
  if [ -n "${RT_FORCE_64BIT:-}" ]; then
    WHY_64BIT="RT_FORCE_64BIT is set"
  elif ! kernel_runs_32bit; then
    WHY_64BIT="this machine runs no 32-bit x86 code"
  elif ! [ -x "${SETUP_ROOT:-}$WINE32_LOADER" ]; then
    WHY_64BIT="Wine's 32-bit packages are not installed (set-up could not install them; the next run tries again)"
  fi
  [ -z "$WHY_64BIT" ]
}

# One line: the build that the scripts run here, and why.
describe_build() {  # script-name
  if [ "$WINE_ARCH" = win64 ]; then
    echo "$1: running the 64-bit build of the same sources (build/x64, Wine's 64-bit loader): $WHY_64BIT"
  else
    echo "$1: running the shipped 32-bit build (build/)"
  fi
}
