// The main window's place on the screen, checked the same way in-process
// and from outside the tool's process.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

// The window's outer size is width by height and it is centred on the
// primary screen (the start position of the main window).
inline ::testing::AssertionResult IsCentredWithOuterSize(HWND window, int width, int height) {
  RECT r;
  if (!GetWindowRect(window, &r)) return ::testing::AssertionFailure() << "no window";
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  if (r.right - r.left == width && r.bottom - r.top == height && r.left == left && r.top == top)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "at " << r.left << "," << r.top << " size " << r.right - r.left << "x"
                                       << r.bottom - r.top << "; wanted " << left << "," << top << " size "
                                       << width << "x" << height;
}

// The frame that the system draws around a window of this one's styles on
// a monitor of dpi (AdjustWindowRectExForDpi, found at run time as the
// program finds it).
inline SIZE FrameAtDpi(HWND window, int dpi) {
  using Fn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  auto fn = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi")));
  RECT r{0, 0, 0, 0};
  if (fn) fn(&r, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
             static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)), dpi);
  return {r.right - r.left, r.bottom - r.top};
}

inline RECT WorkArea() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

// The scale the main window (396 by 501 outside at 96 DPI) is laid out at
// on a monitor of monitorDpi whose work area is the primary screen's: the
// monitor's when the window fits there, else the largest below at which
// its client area at that scale in the frame at the monitor's fits, but
// not below 96.
inline int FittingDpi(HWND window, int monitorDpi) {
  const RECT work = WorkArea();
  const SIZE frame96 = FrameAtDpi(window, 96), frame = FrameAtDpi(window, monitorDpi);
  for (int dpi = monitorDpi;; --dpi) {
    if (dpi <= 96 || (MulDiv(396 - frame96.cx, dpi, 96) + frame.cx <= work.right - work.left &&
                      MulDiv(501 - frame96.cy, dpi, 96) + frame.cy <= work.bottom - work.top))
      return dpi;
  }
}

// The whole window inside the work area.
inline ::testing::AssertionResult LiesInsideTheWorkArea(HWND window) {
  RECT r, work = WorkArea();
  GetWindowRect(window, &r);
  if (r.left >= work.left && r.top >= work.top && r.right <= work.right && r.bottom <= work.bottom)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "window " << r.left << "," << r.top << "-" << r.right << "," << r.bottom
                                       << " outside the work area " << work.left << "," << work.top << "-"
                                       << work.right << "," << work.bottom;
}

// A control's rectangle in its parent's client coordinates.
inline RECT RectInParent(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

inline std::string WindowTextOf(HWND hwnd) {
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}
