// Which of a unit type's properties make its look (unit_look.h): the
// numbers of its font, text colour and background colour, 0 for one it
// lacks, and who draws it. The property table takes the look's shared
// entries at these numbers (property_table.h), and the unit's look answers
// them; the type's own table and operations leave them out.
#pragma once

enum class LookDrawing {
  kByControl,  // a system control: WM_SETFONT, and colours from its WM_CTLCOLOR* answer
  kByUnit,     // the unit paints itself with the look's font and colours
};

struct LookProperties {
  LookDrawing drawing = LookDrawing::kByControl;
  int font = 0;
  int textColor = 0;
  int backColor = 0;

  constexpr int Count() const { return (font != 0) + (textColor != 0) + (backColor != 0); }
};

// A type without a look.
inline constexpr LookProperties kNoLook{};
