// A loaded window that moved to a monitor of another scale, or whose
// monitor's scale changed (WM_DPICHANGED).
#pragma once

#include <windows.h>

// Lays the window out again for a monitor of monitorDpi: the window takes
// the rectangle the system proposes (screen coordinates), every unit its
// design rectangle at the new scale, and each unit refits its fonts,
// columns and minimum sizes (kMsgDisplayScaleChanging and
// kMsgDisplayScaleChanged). A window too large for the monitor's work area
// at its scale is laid out smaller and kept inside it, as at its creation
// (screen_fit.h). Contents, selections and scroll positions stay. Drawing
// is held throughout and the window redrawn once; no event runs meanwhile,
// and the window's moved and resized events follow once at the end.
void RelayoutForDpi(HWND window, int monitorDpi, const RECT& proposed);
