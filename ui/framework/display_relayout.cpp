// Relayout at a new DPI; see display_relayout.h.
#include "ui/framework/display_relayout.h"

#include "ui/framework/display_scale.h"
#include "ui/framework/events.h"
#include "ui/framework/screen_fit.h"
#include "ui/framework/window_list.h"
#include "ui/window/window_unit.h"

namespace {

RECT WindowRectOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

// The scale the window takes on a monitor of monitorDpi, and in *rect the
// rectangle: the one the system proposes when the window fits the work area
// there at the monitor's scale and fitted the old one at its own; else the
// window's outer size at the scale chosen, kept inside the work area when
// it does not fit at the monitor's scale. A minimized or maximized window
// keeps the proposal.
int FitForNewMonitor(HWND window, int monitorDpi, RECT* rect) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(window, &placement);
  const RECT& normal = placement.rcNormalPosition;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  const bool menu = GetMenu(window) != nullptr;
  const SIZE design = OuterSizeToDesign({normal.right - normal.left, normal.bottom - normal.top}, style, exStyle,
                                        menu, WindowDpi(window), MonitorDpi(window));
  const bool wasReduced = WindowDpi(window) != MonitorDpi(window);
  const RECT work = WorkAreaNear(*rect);
  const ScreenFit fit = FitToWorkArea(design, style, exStyle, menu, monitorDpi, work);
  if ((fit.fitsAtMonitorScale && !wasReduced) || IsIconic(window) || IsZoomed(window)) return fit.dpi;
  POINT at{rect->left, rect->top};
  if (!fit.fitsAtMonitorScale) at = KeepInWorkArea(at, fit.outer, work);
  *rect = {at.x, at.y, at.x + fit.outer.cx, at.y + fit.outer.cy};
  return fit.dpi;
}

}  // namespace

void RelayoutForDpi(HWND window, int monitorDpi, const RECT& proposed) {
  LoadedWindow* win = LoadedWindowOfHandle(window);
  const int oldDpi = WindowDpi(window);
  RECT target = proposed;
  const int dpi = FitForNewMonitor(window, monitorDpi, &target);
  KeepWindowDpi(window, dpi, monitorDpi);
  if (!win || win->Handle() != window) return;
  const uint32_t windowId = win->tmpl->id;
  const RECT before = WindowRectOf(window);
  {
    EventSuppression quiet;
    // WM_SETREDRAW clears WS_VISIBLE while drawing is held and sets it
    // again: only a shown window holds its drawing, so a hidden one stays
    // hidden.
    const bool shown = IsWindowVisible(window) != FALSE;
    if (shown) SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    const size_t n = win->tmpl->Count();
    for (size_t i = 1; i < n; ++i) {
      const UnitRecord& rec = *win->tmpl->RecordAt(i);
      if (!rec.isMenuItem && IsLive(rec))
        SendMessageW(rec.object->hwnd, kMsgDisplayScaleChanging, static_cast<WPARAM>(dpi), oldDpi);
    }
    SetWindowPos(window, nullptr, target.left, target.top, target.right - target.left,
                 target.bottom - target.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(window, kMsgDisplayScaleChanged, static_cast<WPARAM>(dpi), oldDpi);
    for (size_t i = 1; i < n; ++i) {
      const UnitRecord& rec = *win->tmpl->RecordAt(i);
      if (rec.isMenuItem || !IsLive(rec)) continue;
      const HWND unit = rec.object->hwnd;
      SetWindowPos(unit, nullptr, ToPixels(rec.left, dpi), ToPixels(rec.top, dpi), ToPixels(rec.width, dpi),
                   ToPixels(rec.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
      SendMessageW(unit, kMsgDisplayScaleChanged, static_cast<WPARAM>(dpi), oldDpi);
    }
    if (shown) SendMessageW(window, WM_SETREDRAW, TRUE, 0);
  }
  RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  // The window's moved and resized events, as its WM_MOVE and WM_SIZE
  // would have raised them.
  const RECT after = WindowRectOf(window);
  if (after.left != before.left || after.top != before.top) RaiseEvent(windowId, 0, kWindowMoved);
  if (!IsWindow(window)) return;
  if (after.right - after.left != before.right - before.left || after.bottom - after.top != before.bottom - before.top)
    RaiseEvent(windowId, 0, kWindowResized);
}
