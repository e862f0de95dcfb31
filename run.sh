#!/usr/bin/env bash
# Builds the tool if needed and runs it under Wine on a demo server: a demo
# quillnode.db inside the private Wine prefix, found through the service's
# "ImagePath" (an expandable string starting with %SystemDrive%).
# With a display ($DISPLAY) the tool opens there for you to use. Without one
# it runs on a virtual display: every row selected and exported in the
# default field order through the real save dialog; the script prints the
# first lines of the file and the path of a screenshot.
#   ./run.sh [--dpi N] [--codepage CP]
#     N: the display scale's DPI (96 is 100 %, 144 150 %)
#     CP: the system code page, 936 (Simplified Chinese, the default), 1252
#         (an English Windows) or 65001 (UTF-8: a copy of the tool whose
#         manifest asks for it, as Windows 10 and 11 allow)
set -euo pipefail
cd "$(dirname "$0")"
dpi=96 codepage=936
while [ $# -gt 0 ]; do
  case "$1" in
    --dpi)
      dpi="${2:-}"
      [[ "$dpi" =~ ^[0-9]+$ ]] && [ "$dpi" -ge 96 ] && [ "$dpi" -le 480 ] || { echo "run.sh: --dpi takes a DPI from 96 to 480, e.g. 144" >&2; exit 2; }
      ;;
    --codepage)
      codepage="${2:-}"
      [[ "$codepage" =~ ^(936|1252|65001)$ ]] || { echo "run.sh: --codepage takes 936, 1252 or 65001" >&2; exit 2; }
      ;;
    *) echo "usage: ./run.sh [--dpi N] [--codepage 936|1252|65001]" >&2; exit 2 ;;
  esac
  shift 2
done
export WINE_CODEPAGE="$codepage"
tool=machine-list-export.exe
[ "$codepage" = 65001 ] && tool=machine-list-export-utf8.exe
./tools/setup.sh
./tools/fetch-sqlite.sh
user_display="${DISPLAY:-}"
. tools/build-env.sh
build_trees machine-list-export demo_driver "${tool%.exe}"
describe_build run.sh
BUILD_DIR="$RUN_DIR"
# The demo has a prefix of its own, apart from the tests' and the bench's,
# and one more for each other display scale and code page.
variant=
[ "$dpi" = 96 ] || variant="$variant-dpi$dpi"
[ "$codepage" = 936 ] || variant="$variant-cp$codepage"
export WINEPREFIX="$RUN_DIR/demo-wineprefix$variant" WINEARCH="$WINE_ARCH"
if [ "$WINE_ARCH" = win64 ]; then WINE=/usr/lib/wine/wine64; else WINE=wine; fi
# The demo's Wine server ends when this script does (with a display of the
# user's, once the tool is closed), and so does its virtual display, which
# is its own: the tests' display and servers are never touched. Without a
# display of the user's, a scaled demo needs a larger virtual screen.
end_on_exit "$RUN_DIR" "demo-wineprefix$variant" demo-display 'demo-display/dpi-display*'
if [ "$dpi" != 96 ] && ! { [ -n "$user_display" ] && x_display_ok "$user_display"; }; then
  BUILD_DIR="$RUN_DIR/demo-display" dpi_display
else
  BUILD_DIR="$RUN_DIR/demo-display" wine_env_display
fi
wine_env_prefix
[ "$dpi" = 96 ] || wine_prefix_dpi "$dpi"
[ "$codepage" = 936 ] || wine_prefix_cjk_fonts

server="$WINEPREFIX/drive_c/Server"
mkdir -p "$server/config" "$server/export"
python3 tools/make_demo_db.py "$server/config/quillnode.db"
"$WINE" reg add 'HKLM\SYSTEM\CurrentControlSet\Services\quillsvc64' /v ImagePath \
  /t REG_EXPAND_SZ /d '%SystemDrive%\Server\server64.exe' /f >/dev/null 2>&1

if [ -n "$user_display" ] && x_display_ok "$user_display"; then
  DISPLAY="$user_display" "$WINE" "$RUN_DIR/bin/$tool"
  exit
fi

# No display of the user's: show what a user would see.
ready="$RUN_DIR/demo.ready" done_flag="$RUN_DIR/demo.done" shot="$RUN_DIR/demo-screenshot$variant.png"
desktop="$((800 * dpi / 96))x$((600 * dpi / 96))"
# The virtual screen may be larger than the demo's desktop: the shot is the desktop alone.
crop=(-crop "$desktop+0+0" +repage)
out="$server/export/computer.txt"
rm -f "$ready" "$done_flag" "$out"
"$WINE" explorer "/desktop=demo,$desktop" "$RUN_DIR/bin/demo_driver.exe" 'C:\Server\export\computer.txt' \
  "Z:${ready//\//\\}" "Z:${done_flag//\//\\}" "$tool" >/dev/null 2>&1 </dev/null &
driver_pid=$!
for _ in $(seq 600); do [ -f "$ready" ] && break; sleep 0.1; done
import -display "$DISPLAY" -window root "${crop[@]}" "$shot"
touch "$done_flag"
wait "$driver_pid" || true
echo "Exported $(grep -c $'\r$' "$out" 2>/dev/null || echo 0) lines to C:\\Server\\export\\computer.txt ($out); the first ones:"
head -n 5 "$out" | iconv -f GBK -t UTF-8 | tr -d '\r'
echo "Screenshot: $shot"
