// Re-creating a unit in place, when a property change can only be shown by
// a new control (a combo box's style, say).
#pragma once

#include "ui/framework/window_list.h"

// With events suppressed: asks the type for all properties as a new blob,
// destroys the old unit, creates a new one with the same rectangle, style,
// parent, ids and control id, and stores it in the record. The window's
// own record is never re-created (that would take every unit with it).
void RecreateUnit(LoadedWindow& win, UnitRecord& rec);
