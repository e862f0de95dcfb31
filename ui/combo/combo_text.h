// The combo box's item texts: GBK for the unit, UTF-16 for the control,
// through the program's text boundary.
#pragma once

#include <windows.h>

#include <string>

// The control's answer: the item's index, or CB_ERR / CB_ERRSPACE.
LRESULT ComboAddStringGbk(HWND combo, const char* text);
// Empty for an index the control does not have.
std::string ComboItemTextGbk(HWND combo, int index);
