// The window styles an edit box's properties give it.
#pragma once

#include <windows.h>

#include "ui/template/edit_blob.h"

struct EditStyles {
  DWORD style;
  DWORD exStyle;
};

EditStyles EditStylesOf(const EditProps& p);
// Border styles shared with the label: 1 client edge ... 5 WS_BORDER.
void ApplyBorderStyle(uint32_t border, DWORD& style, DWORD& exStyle);
