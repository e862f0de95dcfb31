// The edit box unit ("EDIT"), with an optional up-down adjuster beside it.
#pragma once

#include "ui/core_library.h"
#include "ui/unit_type.h"

const UnitTypeInfo& EditBoxUnitType();

enum EditBoxProperty : int {
  kEditContent = kFirstTypeProperty, kEditBorder, kEditTextColor, kEditBackColor, kEditFont,
  kEditHideSelection, kEditMaxLength, kEditMultiLine, kEditScrollBars, kEditAlign,
  kEditInputMode, kEditPasswordChar, kEditCase, kEditAdjuster, kEditAdjusterLower,
  kEditAdjusterUpper, kEditSelStart, kEditSelLength, kEditReserved, kEditDataSource,
  kEditDataColumn,
};
enum EditBoxEvent : int { kEditContentChanged = 0 };
