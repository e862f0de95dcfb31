// The combo box unit ("COMBOBOX"): simple, editable drop-down or drop-down
// list, with items and 32-bit item data from the template.
#pragma once

#include "ui/core_library.h"
#include "ui/unit_type.h"

const UnitTypeInfo& ComboBoxUnitType();

enum ComboBoxProperty : int {
  kComboStyle = kFirstTypeProperty, kComboContent, kComboMaxLength, kComboSelStart,
  kComboSelLength, kComboReserved, kComboSorted, kComboItemSpacing, kComboTextColor,
  kComboBackColor, kComboFont, kComboSelection, kComboItems, kComboItemData, kComboDataSource,
  kComboDataColumn, kComboReserved2,
};
enum ComboBoxEvent : int {
  kComboSelectionChanged = 0, kComboEditChanged, kComboDroppedDown, kComboClosedUp,
  kComboDoubleClicked,
};

// The current selection a write stores: clamped to [-1, count - 1].
constexpr int ClampComboSelection(int value, int count) {
  return value < -1 ? -1 : value > count - 1 ? count - 1 : value;
}
