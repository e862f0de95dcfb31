// The button unit ("BUTTON"): a push button whose click is its event 0.
#pragma once

#include "ui/core_library.h"
#include "ui/unit_type.h"

const UnitTypeInfo& ButtonUnitType();

enum ButtonProperty : int {
  kButtonPicture = kFirstTypeProperty, kButtonDefault, kButtonCaption, kButtonHAlign,
  kButtonVAlign, kButtonFont,
};
enum ButtonEvent : int { kButtonClicked = 0 };
