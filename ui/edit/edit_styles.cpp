// Edit box styles; see edit_styles.h.
#include "ui/edit/edit_styles.h"

#include "ui/framework/border_style.h"

EditStyles EditStylesOf(const EditProps& p) {
  DWORD s = 0, ex = 0;
  if (!p.hideSelection) s |= ES_NOHIDESEL;
  if (p.multiLine) {
    s |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    // Without a horizontal scroll bar the text wraps.
    if (p.scrollBars == 1 || p.scrollBars == 3) s |= ES_AUTOHSCROLL;
    if (p.scrollBars == 1 || p.scrollBars == 3) s |= WS_HSCROLL;
    if (p.scrollBars == 2 || p.scrollBars == 3) s |= WS_VSCROLL;
  } else {
    s |= ES_AUTOHSCROLL;
  }
  if (p.align == 1) s |= ES_CENTER;
  else if (p.align == 2) s |= ES_RIGHT;
  if (p.inputMode == 1) s |= ES_READONLY;
  else if (p.inputMode == 2) s |= ES_PASSWORD;
  if (p.caseConversion == 1) s |= ES_LOWERCASE;
  else if (p.caseConversion == 2) s |= ES_UPPERCASE;
  AddBorderStyle(p.border, s, ex);
  return {s, ex};
}
