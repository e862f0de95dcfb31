// Finds a top-level window of this test process. Test programs run side by
// side on one display, so FindWindow alone may answer another process's
// window of the same class and title.
#pragma once

#include <windows.h>

#include <cstring>

namespace own_window_detail {

struct Query {
  const char* className;
  const char* title;
  HWND found;
};

inline BOOL CALLBACK Visit(HWND hwnd, LPARAM param) {
  auto* q = reinterpret_cast<Query*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != GetCurrentProcessId()) return TRUE;
  char cls[64] = "", text[256] = "";
  GetClassNameA(hwnd, cls, sizeof cls);
  GetWindowTextA(hwnd, text, sizeof text);
  if (strcmp(cls, q->className) != 0 || strcmp(text, q->title) != 0) return TRUE;
  q->found = hwnd;
  return FALSE;
}

}  // namespace own_window_detail

inline HWND FindOwnWindow(const char* className, const char* title) {
  own_window_detail::Query query{className, title, nullptr};
  EnumWindows(own_window_detail::Visit, reinterpret_cast<LPARAM>(&query));
  return query.found;
}
