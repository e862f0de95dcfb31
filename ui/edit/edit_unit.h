// The edit box unit ("EDIT"), with an optional up-down adjuster beside it.
#pragma once

#include "ui/unit_type.h"

// Type number 4 of the core library (TypeCode 0x00010005).
const UnitTypeInfo& EditBoxUnitType();
