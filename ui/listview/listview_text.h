// The list view's item and column texts: GBK for the unit, UTF-16 for the
// control, through the program's text boundary.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

// `item` as the caller filled it, with the text put in; the answers are
// the control's.
int ListViewInsertItemGbk(HWND list, LVITEMW item, const char* text);
void ListViewSetItemGbk(HWND list, LVITEMW item, const char* text);
void ListViewSetItemTextGbk(HWND list, int item, int column, const char* text);
// The cell's whole text, however long.
std::string ListViewItemTextGbk(HWND list, int item, int column);
int ListViewInsertColumnGbk(HWND list, int at, LVCOLUMNW column, const char* title);
