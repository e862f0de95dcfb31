// The look that the basic units share: a font (an empty value stands for
// the stock DEFAULT_GUI_FONT), a text colour and a background colour, each
// one of the unit's properties, with the GDI font made for the window's
// DPI and, for a control that asks its parent for its colours, the
// background brush.
//
// A unit keeps the values in its props, which its blob is made from; the
// type's LookProperties (look_properties.h) name their property numbers.
// The typed property operations (typed_operations.h) answer the look's
// properties through the unit's look.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/framework/gdi.h"
#include "ui/framework/look_properties.h"
#include "ui/unit_type.h"

class UnitLook {
 public:
  template <class Value>
  struct Field {
    int property = 0;        // 0: the type has no such property
    Value* value = nullptr;  // in the unit's props, which outlive the look
  };
  struct Fields {
    Field<std::vector<uint8_t>> font;
    Field<uint32_t> textColor;
    Field<uint32_t> backColor;
  };

  UnitLook(LookDrawing drawing, const Fields& fields) : drawing_(drawing), fields_(fields) {}
  UnitLook(const UnitLook&) = delete;
  UnitLook& operator=(const UnitLook&) = delete;

  // Once the unit's window exists: the brush, and the font for dpi (which
  // a control takes without redrawing).
  void Show(HWND hwnd, int dpi);
  // The window's DPI changed: the font anew for it, not redrawn.
  void Rescale(HWND hwnd, int dpi);
  // A written value of one of the look's properties, stored and shown;
  // false, with nothing done, for any other property.
  bool Write(HWND hwnd, int property, const PropValue& v);
  // The stored value of one of the look's properties; false for others.
  bool Read(int property, PropValue* v) const;

  // For a WM_CTLCOLOR* message: the colours into dc; the brush is the answer.
  LRESULT PaintColors(HDC dc) const;
  // The font to draw with: the unit's own, else DEFAULT_GUI_FONT, at its DPI.
  HFONT Font() const { return font_.Get(); }

 private:
  bool KeepsBrush() const { return drawing_ == LookDrawing::kByControl && fields_.backColor.value; }
  // Where the props keep the property's value, if it is one of the look's.
  std::vector<uint8_t>* FontOf(int property) const {
    return property == fields_.font.property ? fields_.font.value : nullptr;
  }
  uint32_t* ColorOf(int property) const;
  void MakeFont(HWND hwnd, int dpi, bool redraw);

  const LookDrawing drawing_;
  const Fields fields_;
  OwnedFont font_;
  OwnedBrush brush_;
};

// The look of a unit of a type whose look is kLook: its values are the
// props' members `font`, `textColor` and `backColor`, for those of the
// three that the type has.
template <LookProperties kLook, class Props>
UnitLook LookOf(Props& props) {
  UnitLook::Fields fields;
  if constexpr (kLook.font != 0) fields.font = {kLook.font, &props.font};
  if constexpr (kLook.textColor != 0) fields.textColor = {kLook.textColor, &props.textColor};
  if constexpr (kLook.backColor != 0) fields.backColor = {kLook.backColor, &props.backColor};
  return UnitLook(kLook.drawing, fields);
}
