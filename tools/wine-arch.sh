# Sourced by setup.sh and wine-env.sh: which Windows build runs on this
# machine. The i686 build, as shipped, wherever the kernel runs 32-bit x86
# code and Wine's 32-bit loader is installed; else the x86_64 build of the
# same sources under Wine's 64-bit loader. SETUP_ROOT (tests only) puts the
# files looked at under another root.
WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64
# Set-up's mark of a failed try of Wine's 32-bit packages: its time is the
# try's. Later runs leave the packages alone for an hour after it.
WINE32_MARK=/var/lib/machine-list-export/wine32-failed
WINE32_RETRY_MINUTES=60

# The smallest static i386 Linux program: exit(42) through int 0x80. It
# needs no library, so no 32-bit package can be missing; only the kernel can
# refuse it ("Exec format error" where IA32 emulation is off or not built).
write_i386_probe() {  # file
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' > "$1" &&
    chmod +x "$1"
}

# True when the kernel runs 32-bit x86 programs. It asks the kernel itself
# by running the probe, in the first folder that allows programs to run
# (/tmp may be mounted noexec). The answer is kept for the process.
# SETUP_KERNEL32=yes|no (tests only) stands in for the kernel's answer.
kernel_runs_32bit() {
  if [ -n "${SETUP_KERNEL32:-}" ]; then [ "$SETUP_KERNEL32" = yes ]; return; fi
  if [ -z "${KERNEL_RUNS_32BIT:-}" ]; then
    KERNEL_RUNS_32BIT=no
    local d probe rc
    for d in "${TMPDIR:-/tmp}" /dev/shm "${HOME:-/root}"; do
      probe=$(mktemp "$d/i386-probe.XXXXXX" 2>/dev/null) || continue
      rc=0
      if write_i386_probe "$probe"; then "$probe" 2>/dev/null || rc=$?; fi
      [ "$rc" -eq 42 ] && KERNEL_RUNS_32BIT=yes
      rm -f "$probe"
      [ "$KERNEL_RUNS_32BIT" = yes ] && break
    done
  fi
  [ "$KERNEL_RUNS_32BIT" = yes ]
}

# True while a failed try of the 32-bit packages is less than an hour old.
wine32_tried_lately() {
  local mark="${SETUP_ROOT:-}$WINE32_MARK"
  [ -f "$mark" ] && [ -n "$(find "$mark" -mmin -"$WINE32_RETRY_MINUTES" 2>/dev/null)" ]
}

# True when the 32-bit build runs here; otherwise WHY_64BIT says why not
# and what to do about it. RT_FORCE_64BIT=1 takes the 64-bit path on any
# machine (to try it out).
native_32bit() {
  WHY_64BIT=
  if [ -n "${RT_FORCE_64BIT:-}" ]; then
    WHY_64BIT="RT_FORCE_64BIT is set (unset it to test the shipped build)"
  elif ! kernel_runs_32bit; then
    WHY_64BIT="this machine's kernel runs no 32-bit x86 code (the shipped build needs a kernel with IA32 emulation, e.g. without ia32_emulation=0)"
  elif ! [ -x "${SETUP_ROOT:-}$WINE32_LOADER" ]; then
    if [ -f "${SETUP_ROOT:-}$WINE32_MARK" ]; then
      WHY_64BIT="Wine's 32-bit packages could not be installed (last tried $(date -r "${SETUP_ROOT:-}$WINE32_MARK" '+%Y-%m-%d %H:%M')); set-up tries again an hour after that, or at once with SETUP_TRY_32BIT=1 ./test.sh"
    else
      WHY_64BIT="Wine's 32-bit packages are not installed; ./tools/setup.sh installs them"
    fi
  fi
  [ -z "$WHY_64BIT" ]
}

# One line: the build that the scripts run here, and why.
describe_build() {  # script-name
  if [ "$WINE_ARCH" = win64 ]; then
    echo "$1: running the 64-bit build of the same sources (build/x64, Wine's 64-bit loader), not the shipped one: $WHY_64BIT"
  else
    echo "$1: running the shipped 32-bit build (build/)"
  fi
}
