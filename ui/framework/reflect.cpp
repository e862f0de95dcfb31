// Reflection to child controls; see reflect.h.
#include "ui/framework/reflect.h"

#include "ui/framework/window_side_table.h"
#include "ui/unit_type.h"

namespace {

// Looked up on every notification, so kept inside the process.
struct DirectNotify {
  WNDPROC proc;
  ReflectedNotifyHandler handler;
};
constinit WindowSideTable<DirectNotify> g_directNotify;

// The control's handler, when its window procedure is still the one that
// would have handled the reflected message.
ReflectedNotifyHandler DirectHandler(HWND child) {
  const DirectNotify* d = g_directNotify.Find(child);
  if (!d) return nullptr;
  auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(child, GWLP_WNDPROC));
  return proc == d->proc ? d->handler : nullptr;
}

// The direct child of parent that is hwnd or holds it (a combo box asks
// for its inner edit's colours with the edit's handle).
HWND DirectChild(HWND parent, HWND hwnd) {
  while (hwnd && GetParent(hwnd) != parent) {
    if (!(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD)) return nullptr;
    hwnd = GetParent(hwnd);
  }
  return hwnd;
}

}  // namespace

bool ReflectToChild(HWND parent, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  HWND child = nullptr;
  switch (msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
      child = reinterpret_cast<HWND>(lp);  // null for menus, accelerators and scroll bars of the window
      break;
    case WM_NOTIFY:
      child = lp ? NotifyHeaderOf(reinterpret_cast<const void*>(lp)).hwndFrom : nullptr;
      break;
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
      child = DirectChild(parent, reinterpret_cast<HWND>(lp));
      break;
    case WM_DRAWITEM: {
      const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (d && d->CtlType != ODT_MENU) child = d->hwndItem;
      break;
    }
    case WM_MEASUREITEM: {
      const auto* m = reinterpret_cast<const MEASUREITEMSTRUCT*>(lp);
      if (m && m->CtlType != ODT_MENU) child = GetDlgItem(parent, static_cast<int>(m->CtlID));
      break;
    }
    default:
      return false;
  }
  // GetParent answers null for a handle that is no window (any more), so
  // this one test also stands for IsWindow.
  if (!child || GetParent(child) != parent) return false;
  if (msg == WM_NOTIFY) {
    if (ReflectedNotifyHandler handler = DirectHandler(child)) {
      *result = handler(child, reinterpret_cast<NMHDR*>(lp));
      return true;
    }
  }
  LRESULT answer = SendMessageW(child, kReflectBase + msg, wp, lp);
  if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) {
    if (!answer) return false;
    *result = answer;
    return true;
  }
  *result = (msg == WM_NOTIFY || msg == WM_DRAWITEM || msg == WM_MEASUREITEM) ? answer : 0;
  return true;
}

void SetReflectedNotifyHandler(HWND control, WNDPROC proc, ReflectedNotifyHandler handler) {
  g_directNotify.Keep(control, {proc, handler});
}

void ClearReflectedNotifyHandler(HWND control) { g_directNotify.Forget(control); }
