// Applying a list view unit's data to its live control: styles, font,
// image lists, colours, border, columns, initial items and current item.
// Creation runs them in order; the live property setters reuse them.
#pragma once

#include <windows.h>

#include "ui/listview/listview_unit.h"

struct ListViewStyles {
  DWORD style;
  DWORD exStyle;  // the list view's own extended style (LVM_SETEXTENDEDLISTVIEWSTYLE)
};
// The window style grows from `given` (what the unit framework hands over).
ListViewStyles ComputeListViewStyles(const ListViewData& data, DWORD given);

// 0xFF000000 stands for the button-face colour at the time of use.
COLORREF ResolveColor(COLORREF c);

// The unit's font (or the stock GUI font) at its window's DPI.
void ApplyFont(ListViewUnit* unit);
void ApplyFontAtDpi(ListViewUnit* unit, int dpi, BOOL redraw);
void ApplyImageList(ListViewUnit* unit);
void ApplyStateImageList(ListViewUnit* unit);
void ApplyHeaderImageList(ListViewUnit* unit);
void ApplyColors(ListViewUnit* unit);
void ApplyBorderStyle(HWND hwnd, int borderStyle);
void ApplyHotCursor(ListViewUnit* unit);
// Column widths are design pixels, shown at the window's DPI.
void InsertColumns(ListViewUnit* unit);
// The window's DPI changes: its top row is noted before anything moves;
// once the list sits at its new rectangle its font and every column are
// refitted from oldDpi to dpi, and rows, selection and that top row stay.
void NoteTopRowBeforeRescale(const ListViewUnit* unit);
void ApplyDisplayScale(ListViewUnit* unit, int dpi, int oldDpi);
void BuildInitialItems(ListViewUnit* unit);
void ApplyCurrentItem(ListViewUnit* unit);

// Takes the unit's image lists out of the control, so that the control's
// own clean-up never destroys lists that the unit owns.
void DetachImageLists(ListViewUnit* unit);
