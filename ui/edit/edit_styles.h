// The window styles an edit box's properties give it.
#pragma once

#include <windows.h>

#include "ui/template/edit_blob.h"

struct EditStyles {
  DWORD style;
  DWORD exStyle;
};

EditStyles EditStylesOf(const EditProps& p);
