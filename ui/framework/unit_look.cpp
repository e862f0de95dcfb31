// The units' shared look; see unit_look.h.
#include "ui/framework/unit_look.h"

#include "ui/framework/display_scale.h"

void UnitLook::MakeFont(HWND hwnd, int dpi, bool redraw) {
  const std::vector<uint8_t>* value = fields_.font.value;
  if (!value) return;
  if (drawing_ == LookDrawing::kByControl)
    font_.ApplyTo(hwnd, *value, dpi, redraw);
  else
    font_.Set(*value, dpi);
}

void UnitLook::Show(HWND hwnd, int dpi) {
  if (KeepsBrush()) brush_.Set(*fields_.backColor.value);
  MakeFont(hwnd, dpi, false);
}

void UnitLook::Rescale(HWND hwnd, int dpi) { MakeFont(hwnd, dpi, false); }

uint32_t* UnitLook::ColorOf(int property) const {
  if (property == fields_.textColor.property) return fields_.textColor.value;
  if (property == fields_.backColor.property) return fields_.backColor.value;
  return nullptr;
}

bool UnitLook::Write(HWND hwnd, int property, const PropValue& v) {
  if (std::vector<uint8_t>* font = FontOf(property)) {
    font->assign(v.data, v.data + v.length);
    MakeFont(hwnd, WindowDpi(hwnd), true);
    if (drawing_ == LookDrawing::kByUnit) InvalidateRect(hwnd, nullptr, TRUE);
    return true;
  }
  uint32_t* color = ColorOf(property);
  if (!color) return false;
  *color = v.u32;
  // The brush follows the background colour, resolved now.
  if (KeepsBrush()) brush_.Set(*fields_.backColor.value);
  InvalidateRect(hwnd, nullptr, TRUE);
  return true;
}

bool UnitLook::Read(int property, PropValue* v) const {
  if (const std::vector<uint8_t>* font = FontOf(property)) {
    v->data = font->data();
    v->length = static_cast<int32_t>(font->size());
    return true;
  }
  const uint32_t* color = ColorOf(property);
  if (!color) return false;
  v->u32 = *color;
  return true;
}

LRESULT UnitLook::PaintColors(HDC dc) const {
  if (fields_.textColor.value) SetTextColor(dc, ResolveColor(*fields_.textColor.value));
  if (fields_.backColor.value) SetBkColor(dc, ResolveColor(*fields_.backColor.value));
  return reinterpret_cast<LRESULT>(brush_.Get());
}
