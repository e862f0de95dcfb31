// The button unit ("BUTTON"): a push button whose click is its event 0.
#pragma once

#include "ui/unit_type.h"

inline constexpr uint32_t kButtonTypeCode = UnitTypeCode(kCoreLibraryNumber, 10);
const UnitTypeInfo& ButtonUnitType();

enum ButtonProperty : int {
  kButtonPicture = kFirstTypeProperty, kButtonDefault, kButtonCaption, kButtonHAlign,
  kButtonVAlign, kButtonFont,
};
enum ButtonEvent : int { kButtonClicked = 0 };
