// The combo box unit ("COMBOBOX"): simple, editable drop-down or drop-down
// list, with items and 32-bit item data from the template.
#pragma once

#include "ui/unit_type.h"

// Type number 13 of the core library (TypeCode 0x0001000E).
const UnitTypeInfo& ComboBoxUnitType();

// The current selection a write stores: clamped to [-1, count - 1].
constexpr int ClampComboSelection(int value, int count) {
  return value < -1 ? -1 : value > count - 1 ? count - 1 : value;
}
