// Window styles and start position; see window_style.h.
#include "ui/window/window_style.h"

bool IsResizableBorder(uint32_t b) { return b == 1 || b == 3 || b == 5; }

WindowStyles WindowStylesOf(const WindowProps& p, bool owned) {
  DWORD s = WS_CLIPCHILDREN, ex = 0;
  if (p.borderStyle != 0) {
    s |= WS_DLGFRAME;
    if (!p.title.empty() || p.controlBox) s |= WS_CAPTION;
    if (p.controlBox) s |= WS_SYSMENU;
    switch (p.borderStyle) {
      case 1: s |= WS_THICKFRAME; break;
      case 3: s |= WS_THICKFRAME; ex |= WS_EX_TOOLWINDOW; break;
      case 4: ex |= WS_EX_TOOLWINDOW; break;
      case 5: s |= WS_THICKFRAME; ex |= WS_EX_CLIENTEDGE; break;
      case 6: ex |= WS_EX_CLIENTEDGE; break;
      default: break;  // 2: fixed
    }
  }
  if (p.maxButton) s |= WS_MAXIMIZEBOX;
  if (p.minButton) s |= WS_MINIMIZEBOX;
  if (owned) s |= WS_POPUP;
  if (p.startPosition == 2) s |= WS_MINIMIZE;
  if (p.startPosition == 3 && IsResizableBorder(p.borderStyle)) s |= WS_MAXIMIZE;
  return {s, ex};
}

POINT StartPosition(const WindowProps& p, POINT designed, SIZE outer, SIZE screen) {
  if (p.startPosition != 1) return designed;
  return {(screen.cx - outer.cx) / 2, (screen.cy - outer.cy) / 2};
}
