// Edit box styles; see edit_styles.h.
#include "ui/edit/edit_styles.h"

void ApplyBorderStyle(uint32_t border, DWORD& style, DWORD& exStyle) {
  switch (border) {
    case 1: exStyle |= WS_EX_CLIENTEDGE; break;
    case 2: exStyle |= WS_EX_DLGMODALFRAME; break;
    case 3: exStyle |= WS_EX_STATICEDGE; break;
    case 4: exStyle |= WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME; break;
    case 5: style |= WS_BORDER; break;
    default: break;
  }
}

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
  ApplyBorderStyle(p.border, s, ex);
  return {s, ex};
}
