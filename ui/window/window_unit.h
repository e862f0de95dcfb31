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

#include "ui/unit_type.h"

// Type number 0 of the core library (TypeCode 0x00010001).
const UnitTypeInfo& WindowUnitType();
