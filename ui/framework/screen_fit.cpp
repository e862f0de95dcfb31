// Fitting a window to its screen; see screen_fit.h.
#include "ui/framework/screen_fit.h"

#include <algorithm>

#include "ui/framework/display_scale.h"

namespace {

bool Fits(SIZE outer, const RECT& work) {
  return outer.cx <= work.right - work.left && outer.cy <= work.bottom - work.top;
}

// One axis of KeepInWorkArea: back inside from the far side first, so that
// a window longer than the range ends at its near side.
LONG KeepInRange(LONG at, LONG length, LONG low, LONG high) {
  if (at + length > high) at = high - length;
  return std::max(at, low);
}

}  // namespace

RECT WorkAreaNear(const RECT& r) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) return info.rcWork;
  RECT work{};
  if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return work;
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

ScreenFit FitToWorkArea(SIZE design, DWORD style, DWORD exStyle, bool menu, int monitorDpi, const RECT& work) {
  const int lowest = std::min(monitorDpi, kDesignDpi);
  ScreenFit fit{monitorDpi, OuterSizeToPixels(design, style, exStyle, menu, monitorDpi, monitorDpi), true};
  if (Fits(fit.outer, work)) return fit;
  fit.fitsAtMonitorScale = false;
  // The outer size grows with the DPI: the first that fits is the largest.
  // A few hundred steps of arithmetic at most, once per window and change
  // of monitor.
  while (fit.dpi > lowest) {
    --fit.dpi;
    fit.outer = OuterSizeToPixels(design, style, exStyle, menu, fit.dpi, monitorDpi);
    if (Fits(fit.outer, work)) break;
  }
  return fit;
}

POINT KeepInWorkArea(POINT at, SIZE outer, const RECT& work) {
  return {KeepInRange(at.x, outer.cx, work.left, work.right), KeepInRange(at.y, outer.cy, work.top, work.bottom)};
}
