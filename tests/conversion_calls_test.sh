#!/usr/bin/env bash
# Text meets code pages in one place only: the boundary's files
# (runtime/gbk_boundary*) convert between GBK and UTF-16 and name the code
# page; no other code of the program (runtime/, ui/, db/, commands/, app/)
# converts, asks for a code page's rules or names one, and the runtime
# knows no control. Test programs and tools convert for themselves and
# are not looked at; nor are resource scripts, whose code page pragma
# tells the resource compiler how the script itself is written.
#   conversion_calls_test.sh NM SOURCE_DIR LIBRARY...
set -uo pipefail
nm="$1" src="$2"; shift 2
found=0

# Functions that convert between code pages, or read a code page's rules.
calls='MultiByteToWideChar|WideCharToMultiByte|IsDBCSLeadByte|IsDBCSLeadByteEx|CharNextExA|CharPrevExA'
calls+='|GetACP|GetOEMCP|GetCPInfo|GetCPInfoExA|GetCPInfoExW|mbstowcs|wcstombs|mbsrtowcs|wcsrtombs'
calls+='|mbtowc|wctomb|mbrtowc|wcrtomb|setlocale|_setmbcp|_getmbcp|___lc_codepage_func'
# Code pages by name or number: the system's, GBK and its relatives, the
# other East Asian ones, Western European, UTF-7 and UTF-8.
pages='CP_ACP|CP_OEMCP|CP_MACCP|CP_THREAD_ACP|CP_SYMBOL|CP_UTF7|CP_UTF8|kGbkCodePage'
pages+='|936|20936|54936|950|932|949|1252|65000|65001'

# What the compiled code calls, object by object: an import (__imp_), or a
# C runtime function, of either bitness (i686 prefixes an underscore and
# may append @N).
for lib in "$@"; do
  hits=$("$nm" -A "$lib" 2>/dev/null |
    awk -F: '{ member = $(NF-1); sym = $NF; sub(/^.* U /, "", sym); if ($NF ~ / U /) print member, sym }' |
    grep -v '^gbk_boundary' |
    sed -E 's/ __imp_/ /; s/@[0-9]+$//' |
    grep -E " _?($calls)$" | sort -u)
  if [ -n "$hits" ]; then
    echo "$(basename "$lib") converts outside the boundary:"
    echo "$hits" | sed 's/^/  /'
    found=1
  fi
done

# What the sources say, comments left out.
for dir in runtime ui db commands app; do
  while IFS= read -r file; do
    rel="${file#"$src"/}"
    case "$rel" in runtime/gbk_boundary*) continue ;; esac
    code=$(sed -E 's://.*$::; s:/\*.*\*/::g' "$file")
    hits=$(echo "$code" | grep -nwE "$calls|$pages")
    if [ -n "$hits" ]; then
      echo "$rel names a conversion or a code page:"
      echo "$hits" | sed 's/^/  /'
      found=1
    fi
    if [ "$dir" = runtime ] && echo "$code" | grep -q '#include <commctrl.h>'; then
      echo "$rel includes <commctrl.h>: the runtime knows no control"
      found=1
    fi
  done < <(find "$src/$dir" -name '*.cpp' -o -name '*.h')
done

[ "$found" = 0 ] && echo "text meets code pages only in runtime/gbk_boundary*"
exit "$found"
