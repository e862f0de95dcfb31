// The main window's place on the screen, checked the same way in-process
// and from outside the tool's process.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

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
