// The focus events -7 (got the focus) and -8 (lost it). Units raise them
// from their own focus notifications; the window load raises -7 itself
// only when no unit did while the window was shown.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/framework/window_list.h"

// Raises -7 or -8 of the unit (the serial below counts every -7).
void RaiseUnitFocusEvent(const UnitObject* unit, int event);
// Raises the event for the unit of the window that holds hwnd.
void RaiseFocusEvent(const LoadedWindow& win, HWND hwnd, int event);
// Number of -7 events raised so far.
uint32_t FocusEventSerial();
