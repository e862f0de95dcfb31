// The label unit: the runtime's own window class "_VX_Label", which paints
// an optional gradient frame, a background and its caption.
#pragma once

#include "ui/core_library.h"
#include "ui/unit_type.h"

const UnitTypeInfo& LabelUnitType();

enum LabelProperty : int {
  kLabelCaption = kFirstTypeProperty, kLabelEffect, kLabelBorder, kLabelGradientBorderWidth,
  kLabelBorderColor1, kLabelBorderColor2, kLabelBorderColor3, kLabelFont, kLabelTextColor,
  kLabelBackColor, kLabelPicture, kLabelPictureMode, kLabelGradientMode, kLabelGradientColor1,
  kLabelGradientColor2, kLabelGradientColor3, kLabelHAlign, kLabelWordWrap, kLabelVAlign,
  kLabelDataSource, kLabelDataColumn,
};
