// Reflection: a window that holds units sends the notifications its child
// controls send it (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM,
// WM_MEASUREITEM, scroll messages) back to the control as kReflectBase +
// message with the same wParam and lParam, so each unit handles its own.
#pragma once

#include <windows.h>

#include <cstring>

// True when msg was reflected; *result is then the parent's answer (the
// child's answer for WM_NOTIFY and the colour and item messages, 0
// otherwise). A WM_CTLCOLOR* message that the child leaves unanswered (0)
// is reported as not reflected, so the parent's default brush applies.
bool ReflectToChild(HWND parent, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

// A control whose window procedure handles its reflected WM_NOTIFY in this
// process may name that handler; the parent then calls it directly. A list
// view sends two notifications for every row it selects, and a same-thread
// SendMessage costs several times what the handling does. The direct call
// is taken only while `proc` is still the control's window procedure, so a
// later subclass still receives the reflected message.
// A notification's header, read through a copy: some comctl32 notifications
// (the list view's key-down) are 1-byte packed structures that the sender
// may lay at any address, where reading the header in place is misaligned.
inline NMHDR NotifyHeaderOf(const void* notification) {
  NMHDR header;
  memcpy(&header, notification, sizeof header);
  return header;
}

using ReflectedNotifyHandler = LRESULT (*)(HWND control, NMHDR* header);
void SetReflectedNotifyHandler(HWND control, WNDPROC proc, ReflectedNotifyHandler handler);
void ClearReflectedNotifyHandler(HWND control);
