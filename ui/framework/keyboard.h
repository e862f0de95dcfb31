// The window's own keys, handled in its pre-translation unless the focused
// unit claims the key (type operation 8):
//  Tab / Shift+Tab  move the focus through the Tab sequence (wrapping);
//  Enter            a focused default button fires its event 0; else with
//                   window property 21 the focus moves on; else the first
//                   default button of the table fires its event 0;
//  Escape           with window property 22, WM_CLOSE to the window;
//  F1               with window property 23, the help file through WinHelp;
//  Alt+letter       the unit whose caption marks that letter with "&".
#pragma once

#include <windows.h>

#include <vector>

#include "ui/framework/window_list.h"

bool HandleWindowKey(LoadedWindow& win, MSG* msg);
bool HandleMnemonic(LoadedWindow& win, MSG* msg);
// A left-button press on the client area, or on a unit whose type drags the
// window, moves the window when its property 27 is on.
bool DragWindowByClientArea(LoadedWindow& win, MSG* msg);

// Units that take the Tab focus, in Tab order: visible, enabled, with the
// tab-stop flag, of a type that has a window and is not excluded from Tab;
// ordered by the record's tab-order number, equal numbers by descending
// table position.
std::vector<UnitRecord*> TabSequence(const LoadedWindow& win);
