// The label unit: the runtime's own window class "_VX_Label", which paints
// an optional gradient frame, a background and its caption.
#pragma once

#include "ui/unit_type.h"

// Type number 9 of the core library (TypeCode 0x0001000A).
const UnitTypeInfo& LabelUnitType();
