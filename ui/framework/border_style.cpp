// Border styles; see border_style.h.
#include "ui/framework/border_style.h"

void SetBorderStyle(HWND hwnd, uint32_t border) {
  DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)) & ~kBorderStyles;
  DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)) & ~kBorderExStyles;
  AddBorderStyle(border, style, exStyle);
  SetWindowLongPtrW(hwnd, GWL_STYLE, style);
  SetWindowLongPtrW(hwnd, GWL_EXSTYLE, exStyle);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}
