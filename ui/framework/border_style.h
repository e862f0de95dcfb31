// The border pick list that the edit box, the label and the list view
// share: 1 sunken (client edge), 2 raised (dialog frame), 3 light sunken
// (static edge), 4 frame (both edges), 5 a single line. 0 and any other
// value give no frame (the label paints its 6, a gradient, itself).
#pragma once

#include <windows.h>

#include <cstdint>

// Every style bit a border value may set, for clearing the previous one.
inline constexpr DWORD kBorderStyles = WS_BORDER;
inline constexpr DWORD kBorderExStyles = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;

constexpr void AddBorderStyle(uint32_t border, DWORD& style, DWORD& exStyle) {
  switch (border) {
    case 1: exStyle |= WS_EX_CLIENTEDGE; break;
    case 2: exStyle |= WS_EX_DLGMODALFRAME; break;
    case 3: exStyle |= WS_EX_STATICEDGE; break;
    case 4: exStyle |= WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME; break;
    case 5: style |= WS_BORDER; break;
    default: break;
  }
}

// Gives a live window the border of a new value and has its frame drawn
// again.
void SetBorderStyle(HWND hwnd, uint32_t border);
