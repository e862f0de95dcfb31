// The styles and the place of a window from its properties.
#pragma once

#include <windows.h>

#include "ui/template/window_blob.h"

struct WindowStyles {
  DWORD style;
  DWORD exStyle;
};

// owned: the window has an owner (it is then a pop-up).
WindowStyles WindowStylesOf(const WindowProps& p, bool owned);
// Border styles 1, 3 and 5 can be resized (and so maximized).
bool IsResizableBorder(uint32_t borderStyle);
// The outer rectangle's top-left for the start position (1 centres on a
// screen of the given size; anything else keeps the designed place).
POINT StartPosition(const WindowProps& p, POINT designed, SIZE outer, SIZE screen);
