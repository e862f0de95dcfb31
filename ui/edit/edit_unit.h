// The edit box unit ("EDIT"), with an optional up-down adjuster beside it.
#pragma once

#include "ui/unit_type.h"

inline constexpr uint32_t kEditBoxTypeCode = UnitTypeCode(kCoreLibraryNumber, 4);
const UnitTypeInfo& EditBoxUnitType();

enum EditBoxProperty : int {
  kEditContent = kFirstTypeProperty, kEditBorder, kEditTextColor, kEditBackColor, kEditFont,
  kEditHideSelection, kEditMaxLength, kEditMultiLine, kEditScrollBars, kEditAlign,
  kEditInputMode, kEditPasswordChar, kEditCase, kEditAdjuster, kEditAdjusterLower,
  kEditAdjusterUpper, kEditSelStart, kEditSelLength, kEditReserved, kEditDataSource,
  kEditDataColumn,
};
enum EditBoxEvent : int { kEditContentChanged = 0 };
