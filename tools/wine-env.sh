# Sourced by the scripts that run Windows programs: a private Wine prefix in
# the build folder, a system code page (936 unless WINE_CODEPAGE says
# otherwise), and an X display (a private Xvfb when the caller has none).
# Needs BUILD_DIR (the build folder) and WINE_ARCH (win32 or win64; default
# win32).
WINE_ARCH="${WINE_ARCH:-win32}"
export WINEPREFIX="${WINEPREFIX:-$BUILD_DIR/wineprefix}"
export WINEARCH="$WINE_ARCH"
# Wine takes the system code page from the Unix locale: a Chinese one gives
# 936 (GBK), any other 1252, as an English Windows has. 65001 (UTF-8) is a
# program's own choice, through its manifest, on top of an English system.
case "${WINE_CODEPAGE:-936}" in
  936) export LC_ALL=zh_CN.UTF-8 ;;
  1252 | 65001) export LC_ALL=C.UTF-8 ;;
  *) echo "wine-env.sh: no locale known for code page $WINE_CODEPAGE (936, 1252 or 65001)" >&2; return 2 ;;
esac
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# The 64-bit loader runs a 64-bit prefix without any 32-bit process.
if [ "$WINE_ARCH" = win64 ]; then WINE=/usr/lib/wine/wine64; else WINE=wine; fi
export WINE

. "$(dirname "${BASH_SOURCE[0]}")/wine-arch.sh"

# The process id in a display's lock file (nothing when it has none).
x_lock_pid() {
  local n="${1#:}"; n="${n%%.*}"
  { tr -d ' \n' < "/tmp/.X$n-lock"; } 2>/dev/null || true
}

# A server that was killed leaves its socket and lock file behind, so a
# display with a lock file counts only while the process named there runs.
x_display_ok() {
  local n="${1#:}"; n="${n%%.*}"
  [ -n "$n" ] && [ -e "/tmp/.X11-unix/X$n" ] || return 1
  [ -f "/tmp/.X$n-lock" ] || return 0
  local pid; pid=$(x_lock_pid "$1")
  [ -n "$pid" ] && [ -d "/proc/$pid" ]
}

# The private Xvfb's display number and process id, kept in the build folder.
private_x_display() { cat "$BUILD_DIR/.xvfb-display" 2>/dev/null; }
private_x_pid() { cat "$BUILD_DIR/.xvfb-pid" 2>/dev/null; }
# True when the process is an Xvfb (a pid file may outlive its server).
is_xvfb() { tr '\0' ' ' 2>/dev/null < "/proc/$1/cmdline" | grep -q '^Xvfb '; }
private_x_running() {
  local pid; pid=$(private_x_pid) && [ -n "$pid" ] && [ -n "$(private_x_display)" ] || return 1
  is_xvfb "$pid"
}

# What names the X server behind DISPLAY: the display and its process id.
x_server_id() {
  local pid
  if [ "${DISPLAY:-}" = ":$(private_x_display)" ]; then pid=$(private_x_pid); else pid=$(x_lock_pid "${DISPLAY:-}"); fi
  echo "${DISPLAY:-} $pid"
}

# Starts a private Xvfb when DISPLAY is empty. The display number is kept in
# the build folder so that every later run reuses the same server.
# XVFB_SCREEN gives its screen (default 1024x768x24).
wine_env_display() {
  if [ -n "${DISPLAY:-}" ] && x_display_ok "$DISPLAY"; then return 0; fi
  local f="$BUILD_DIR/.xvfb-display"
  mkdir -p "$BUILD_DIR"
  (
    flock 9
    private_x_running && exit 0
    # Xvfb's socket appears before the server takes clients, and a Wine
    # program that comes too early finds no display and leaves the prefix's
    # desktop broken. With -displayfd Xvfb picks a free display itself and
    # writes its number once it is ready.
    ready="$BUILD_DIR/.xvfb-ready"
    : > "$ready"
    setsid Xvfb -displayfd 8 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp 8>"$ready" >/dev/null 2>&1 </dev/null 9>&- &
    pid=$!
    for _ in $(seq 100); do
      [ "$(wc -l < "$ready")" -ge 1 ] && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    [ "$(wc -l < "$ready")" -ge 1 ] || exit 1
    head -n 1 "$ready" > "$f"
    echo "$pid" > "$BUILD_DIR/.xvfb-pid"
    private_x_running
  ) 9>"$BUILD_DIR/.xvfb-lock"
  export DISPLAY=":$(cat "$f")"
}

# Creates the prefix once and keeps the Wine server alive between runs.
wine_env_prefix() {
  mkdir -p "$BUILD_DIR"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.ready" ]; then
      "$WINE" wineboot -i >/dev/null 2>&1 </dev/null 9>&- || true
      wineserver -w 9>&-
      [ -d "$WINEPREFIX/drive_c" ] && touch "$WINEPREFIX/.ready"
    fi
    # The Wine server outlives the programs and keeps its desktop on the X
    # server it first met; once that server is gone no window can be made.
    # Start the Wine server afresh whenever the X server is not the one it knew.
    local known="$WINEPREFIX/.x-server" now; now=$(x_server_id)
    if [ "$(cat "$known" 2>/dev/null)" != "$now" ]; then wineserver -k 9>&- 2>/dev/null || true; fi
    if [ -d "$WINEPREFIX" ]; then echo "$now" > "$known"; fi
    # Under a Chinese locale Wine may not find its own Marlett, and the
    # caption buttons come out as the letters 0, 1 and r: give the prefix one.
    fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
      cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
    fi
  ) 9>"$BUILD_DIR/.wineprefix-lock"
  wineserver -p >/dev/null 2>&1 || true
}

# Settings of the prefixes that the tests and the bench run in, made once
# with one registry import:
# - windows are left to Wine instead of a window manager. Xvfb has none,
#   and Wine then waits 2 s for a confirmation that never comes at every
#   managed top-level window it takes off the screen (every closed dialog,
#   message box and test window);
# - a program that crashes prints its backtrace and ends: Wine's crash
#   dialog would wait for a click that never comes, and the test with it.
wine_prefix_for_tests() {
  local done="$WINEPREFIX/.test-settings-1"
  [ -f "$done" ] && return 0
  local reg; reg=$(mktemp --suffix=.reg)
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n' > "$reg"
  "$WINE" regedit /S "$(winepath_w "$reg")" >/dev/null 2>&1 </dev/null && touch "$done"
  rm -f "$reg"
}

# A Unix path as Wine's Z: drive sees it.
winepath_w() { printf 'Z:%s' "${1//\//\\}"; }

# The system DPI of the prefix in WINEPREFIX (both keys Wine reads), and a
# fresh Wine server for that prefix alone when it changed: a running server
# keeps the DPI it started with. Never touches another prefix's server.
wine_prefix_dpi() {  # dpi
  local want; want=$(printf '0x%08x' "$1")
  local now; now=$("$WINE" reg query 'HKCU\Control Panel\Desktop' /v LogPixels 2>/dev/null </dev/null |
    tr -d '\r' | awk '$1 == "LogPixels" {print $3}' || true)
  [ "$now" = "$want" ] && return 0
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 </dev/null
  "$WINE" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 </dev/null
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wineserver -p >/dev/null 2>&1 || true
}

# Chinese glyphs in a prefix whose code page is not 936, as on an English
# Windows, which carries SimSun and links its UI fonts to it: there Wine
# knows no Chinese font by these names and draws every Chinese character
# as a box. The names lead to WenQuanYi Micro Hei (fonts-wqy-microhei).
# Once per prefix; the Wine server reads fonts when it starts.
wine_prefix_cjk_fonts() {
  local done="$WINEPREFIX/.cjk-fonts-1" font='WenQuanYi Micro Hei'
  [ -f "$done" ] && return 0
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion'
  for face in 宋体 SimSun; do
    "$WINE" reg add "$key\FontSubstitutes" /v "$face" /d "$font" /f >/dev/null 2>&1 </dev/null || return 1
  done
  for face in Tahoma 'Microsoft Sans Serif'; do
    "$WINE" reg add "$key\FontLink\SystemLink" /v "$face" /t REG_MULTI_SZ /d "wqy-microhei.ttc,$font" /f \
      >/dev/null 2>&1 </dev/null || return 1
  done
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wineserver -p >/dev/null 2>&1 || true
  touch "$done"
}

# The display of the prefixes at a display scale: a private Xvfb of its own
# (state in BUILD_DIR/dpi-display) with a screen large enough for the
# window at 200 %, which is taller than 768 pixels; Wine would cut a window
# larger than the screen down to it. MLE_SCREEN (e.g. 1024x768) asks for
# a screen of that size instead, a private Xvfb of its own as well.
dpi_display() {
  unset DISPLAY
  BUILD_DIR="$BUILD_DIR/dpi-display${MLE_SCREEN:+-$MLE_SCREEN}" XVFB_SCREEN="${MLE_SCREEN:-2048x1536}x24" \
    wine_env_display
}

# The prefix of the tests at a display scale: one per DPI and per screen
# (a Wine server keeps the X server it met first).
dpi_prefix() {  # build_dir dpi
  echo "$1/wineprefix-dpi$2${MLE_SCREEN:+-$MLE_SCREEN}"
}

# What a script started, ended when it exits for any reason (a failed
# test, Ctrl+C, a kill): the Wine servers of its prefixes with every program
# that runs in them, and its private X servers. Within a run the Wine
# servers stay up between programs (wineserver -p), which makes each start
# fast; nothing keeps them after it.
#   end_on_exit DIR PREFIX-PATTERN DISPLAY-STATE-PATTERN...
# The patterns name folders inside DIR: prefixes, and the folders in which
# wine_env_display keeps an Xvfb's state (DIR itself is "."). The script's
# own scratch files go into END_REMOVE rather than a trap of its own, which
# would replace this one.
end_on_exit() {
  END_DIR="$1" END_PREFIXES="$2"; shift 2
  END_DISPLAYS=("$@")
  END_REMOVE=()
  END_CHILD=
  trap end_now EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
}

# Runs a command in a process group of its own and waits for it, so that
# an interrupted run can end the command with all it started (Ctrl+C
# reaches only this script then, whose trap ends the group).
run_ended_with_script() {
  setsid "$@" &
  END_CHILD=$!
  local rc=0
  wait "$END_CHILD" || rc=$?
  END_CHILD=
  return $rc
}

end_now() {
  local rc=$? p d pid alive ended=()
  trap - EXIT INT TERM
  [ -n "${END_CHILD:-}" ] && kill -TERM -- "-$END_CHILD" 2>/dev/null || true
  [ ${#END_REMOVE[@]} -eq 0 ] || rm -rf -- "${END_REMOVE[@]}"
  # All prefixes at once: each server takes a moment to end its programs.
  for p in "$END_DIR"/$END_PREFIXES; do
    [ -d "$p/drive_c" ] || continue
    { WINEPREFIX="$p" wineserver -k 2>/dev/null; WINEPREFIX="$p" wineserver -w 2>/dev/null; } &
  done
  wait
  for d in "${END_DISPLAYS[@]}"; do
    for p in "$END_DIR"/$d; do
      pid=$(cat "$p/.xvfb-pid" 2>/dev/null) || continue
      is_xvfb "$pid" && kill "$pid" 2>/dev/null && ended+=("$pid") || true
    done
  done
  for _ in $(seq 50); do
    alive=
    for pid in "${ended[@]}"; do [ -d "/proc/$pid" ] && alive=1; done
    [ -z "$alive" ] && break
    sleep 0.1
  done
  return $rc
}
