// Keeping a window inside the screen it opens on. A window is laid out at
// its monitor's scale; on a screen too small for it there (200 % on a
// 1024 x 768 desktop) it is laid out at the largest scale at which it
// fits, so that every control can be reached, and it is never placed with
// its title bar outside the work area. Windows keeps a dialog box inside
// the work area itself, never a program's main window.
#pragma once

#include <windows.h>

// The work area (the screen less the taskbar) of the monitor nearest r,
// in screen coordinates.
RECT WorkAreaNear(const RECT& r);

struct ScreenFit {
  int dpi;                  // the scale to lay the window out at
  SIZE outer;               // its outer size there, framed at the monitor's DPI
  bool fitsAtMonitorScale;  // when true, dpi is the monitor's: place as designed
};

// design: the window's outer size in design units. The monitor's DPI when
// the whole window fits the work area at it; else the largest DPI below at
// which it fits, but never below 96 (the monitor's, when that is lower),
// where the text would get smaller than the system's own. Below that the
// window stays too large and only its place can help (KeepInWorkArea).
ScreenFit FitToWorkArea(SIZE design, DWORD style, DWORD exStyle, bool menu, int monitorDpi, const RECT& work);

// The top-left for a window of outer size meant to go at `at`, moved the
// least so that it lies inside the work area along each side it fits in,
// and so that its top-left corner (its title bar) never leaves it.
POINT KeepInWorkArea(POINT at, SIZE outer, const RECT& work);
