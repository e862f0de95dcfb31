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
