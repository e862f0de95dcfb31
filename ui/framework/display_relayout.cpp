// Relayout at a new DPI; see display_relayout.h.
#include "ui/framework/display_relayout.h"

#include "ui/framework/display_scale.h"
#include "ui/framework/events.h"
#include "ui/framework/window_list.h"
#include "ui/window/window_unit.h"

namespace {

RECT WindowRectOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

}  // namespace

void RelayoutForDpi(HWND window, int dpi, const RECT& proposed) {
  LoadedWindow* win = LoadedWindowOfHandle(window);
  const int oldDpi = WindowDpi(window);
  KeepWindowDpi(window, dpi);
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
    SetWindowPos(window, nullptr, proposed.left, proposed.top, proposed.right - proposed.left,
                 proposed.bottom - proposed.top, SWP_NOZORDER | SWP_NOACTIVATE);
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
