// The look that the basic units share: a font (an empty value stands for
// the stock DEFAULT_GUI_FONT), a text colour and a background colour, each
// one of the unit's properties, with the GDI font made for the window's
// DPI and, for a control that asks its parent for its colours, the
// background brush.
//
// A unit keeps its values in its props, which its blob is made from; its
// UnitLook names the property number of each and where the props hold it
// (a type without one leaves it out). The typed property operations
// (typed_operations.h) answer the look's properties through it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/framework/gdi.h"
#include "ui/unit_type.h"

class UnitLook {
 public:
  // A system control takes its font by WM_SETFONT and its colours from the
  // answer to its WM_CTLCOLOR* message; a unit that paints itself selects
  // the font and reads the colours when it paints.
  enum class Drawn { kByControl, kByUnit };

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

  UnitLook(Drawn drawn, const Fields& fields) : drawn_(drawn), fields_(fields) {}
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
  bool KeepsBrush() const { return drawn_ == Drawn::kByControl && fields_.backColor.value; }
  // Where the props keep the property's value, if it is one of the look's.
  std::vector<uint8_t>* FontOf(int property) const {
    return property == fields_.font.property ? fields_.font.value : nullptr;
  }
  uint32_t* ColorOf(int property) const;
  void MakeFont(HWND hwnd, int dpi, bool redraw);

  const Drawn drawn_;
  const Fields fields_;
  OwnedFont font_;
  OwnedBrush brush_;
};
