// The button unit ("BUTTON"): a push button whose click is its event 0.
#pragma once

#include "ui/unit_type.h"

// Type number 10 of the core library (TypeCode 0x0001000B).
const UnitTypeInfo& ButtonUnitType();
