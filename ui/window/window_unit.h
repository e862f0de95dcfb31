// The window unit: the top-level window of a loaded window template, in the
// class its property 31 names (default "WTWindow"). It reflects its child
// controls' notifications back to their units, paints its background
// colour, raises its events 3 (moved), 4 (resized), -7 and -8, and gives
// the focus back to its last focused unit (or the first in Tab order)
// when it is activated.
//
// The create operation's last argument is 1 for a modal load: a modal
// window, like one without its own taskbar button (property 26 off), is
// owned by the runtime's hidden owner window when no owner is given.
#pragma once

#include "ui/core_library.h"
#include "ui/unit_type.h"

const UnitTypeInfo& WindowUnitType();

enum WindowProperty : int {
  kWindowTitle = kFirstTypeProperty, kWindowBorder, kWindowBackColor, kWindowPicture,
  kWindowPictureMode, kWindowSound, kWindowProp14, kWindowControlBox, kWindowMaxButton,
  kWindowMinButton, kWindowStartPosition, kWindowCloseButton, kWindowIcon,
  kWindowEnterMovesFocus, kWindowEscapeCloses, kWindowF1Help, kWindowHelpFile,
  kWindowHelpContext, kWindowOwnTaskbarButton, kWindowDragMove, kWindowProp28, kWindowTopmost,
  kWindowProp30, kWindowClassName,
};
// 0, 3 and 4 are raised once each, in that order, after the window and
// its units were created; 3 and 4 again at every move and resize.
enum WindowEvent : int { kWindowCreated = 0, kWindowMoved = 3, kWindowResized = 4 };
