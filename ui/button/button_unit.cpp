// The button unit. Event 0 (clicked) is raised when the parent reflects
// BN_CLICKED back, i.e. after the system's own click handling; Enter on a
// default button and the caption's mnemonic raise it through the window.
#include "ui/button/button_unit.h"

#include <windows.h>

#include "runtime/gbk_boundary.h"
#include "ui/framework/display_scale.h"
#include "ui/framework/events.h"
#include "ui/framework/focus_events.h"
#include "ui/framework/gdi.h"
#include "ui/framework/property_table.h"
#include "ui/framework/unit_control.h"
#include "ui/framework/unit_operations.h"
#include "ui/template/button_blob.h"

namespace {

struct ButtonUnit : UnitObject {
  ButtonProps props;
  OwnedFont font;
};


constexpr DWORD kAlignBits = BS_LEFT | BS_RIGHT | BS_CENTER | BS_TOP | BS_BOTTOM | BS_VCENTER;

DWORD AlignStyle(const ButtonProps& p) {
  DWORD s = p.hAlign == 0 ? BS_LEFT : p.hAlign == 2 ? BS_RIGHT : BS_CENTER;
  s |= p.vAlign == 0 ? BS_TOP : p.vAlign == 2 ? BS_BOTTOM : BS_VCENTER;
  return s;
}

bool OnMessage(ButtonUnit* unit, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case kReflectBase + WM_COMMAND:
      if (HIWORD(wp) == BN_CLICKED) RaiseEvent(unit->windowId, unit->unitId, kButtonClicked);
      *result = 0;
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      *result = CallBase(unit, hwnd, msg, wp, lp);
      RaiseUnitFocusEvent(unit, msg == WM_SETFOCUS ? kEventGotFocus : kEventLostFocus);
      return true;
    case kMsgDisplayScaleChanged:
      unit->font.ApplyTo(hwnd, unit->props.font, static_cast<int>(wp), false);
      *result = 0;
      return true;
    default:
      return false;
  }
}

UnitObject* Create(const uint8_t* blob, int32_t length, uint32_t style, HWND parent,
                   UINT controlId, HMENU, int left, int top, int width, int height,
                   uint32_t windowId, uint32_t unitId, int, int) {
  auto owned = NewUnit<ButtonUnit>(blob, length, DecodeButtonProps, windowId, unitId);
  if (!owned) return nullptr;
  const ButtonProps& p = owned->props;
  DWORD ws = style | WS_CHILD | WS_CLIPSIBLINGS | BS_MULTILINE | AlignStyle(p) |
             (p.defaultButton == 1 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  HWND hwnd = CreateWindowGbk(0, "BUTTON", p.caption.c_str(), ws, left, top, width, height, parent,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId)), RtInstance());
  if (!hwnd) return nullptr;
  ButtonUnit* unit = AttachUnit(std::move(owned), hwnd, UnitProc<ButtonUnit, OnMessage>);
  unit->font.ApplyTo(hwnd, p.font, WindowDpi(parent), false);
  return unit;
}

int SetProperty(UnitObject* object, int typeIndex, const PropValue* v, void*) {
  auto* unit = static_cast<ButtonUnit*>(object);
  ButtonProps& p = unit->props;
  const HWND hwnd = unit->hwnd;
  const int property = PropertyNumber(typeIndex);
  switch (property) {
    case kButtonPicture:
      // Picture decoding is not part of this runtime: the data is kept.
      p.picture.assign(v->data, v->data + v->length);
      return 0;
    case kButtonDefault:
      p.defaultButton = v->i32 ? 1 : 0;
      SendMessageW(hwnd, BM_SETSTYLE, p.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
      return 0;
    case kButtonCaption:
      p.caption = v->text;
      SetWindowTextGbk(hwnd, p.caption.c_str());
      return 0;
    case kButtonHAlign:
    case kButtonVAlign:
      (property == kButtonHAlign ? p.hAlign : p.vAlign) = static_cast<uint32_t>(v->i32 > 2 ? 2 : v->i32);
      SetWindowLongPtrW(hwnd, GWL_STYLE, (GetWindowLongPtrW(hwnd, GWL_STYLE) & ~kAlignBits) | AlignStyle(p));
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case kButtonFont:
      p.font.assign(v->data, v->data + v->length);
      unit->font.ApplyTo(hwnd, p.font, WindowDpi(hwnd), true);
      return 0;
    default:
      return 0;
  }
}

int GetProperty(UnitObject* object, int typeIndex, PropValue* v) {
  const ButtonProps& p = static_cast<ButtonUnit*>(object)->props;
  switch (PropertyNumber(typeIndex)) {
    case kButtonPicture: v->data = p.picture.data(), v->length = static_cast<int32_t>(p.picture.size()); return 1;
    case kButtonDefault: v->i32 = p.defaultButton ? 1 : 0; return 1;
    case kButtonCaption: v->text = p.caption.c_str(); return 1;
    case kButtonHAlign: v->u32 = p.hAlign; return 1;
    case kButtonVAlign: v->u32 = p.vAlign; return 1;
    case kButtonFont: v->data = p.font.data(), v->length = static_cast<int32_t>(p.font.size()); return 1;
    default: return 0;
  }
}

bool GetAllProperties(UnitObject* object, uint8_t** blob, int32_t* length) {
  return HandOverBlob(EncodeButtonProps(static_cast<ButtonUnit*>(object)->props), blob, length);
}

int IsDefaultButton(UnitObject* object) {
  LONG_PTR style = GetWindowLongPtrW(object->hwnd, GWL_STYLE);
  return (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? 1 : 0;
}

constexpr UnitOperations kOperations = {
    .create = Create, .setProperty = SetProperty, .getAllProperties = GetAllProperties,
    .getProperty = GetProperty, .isDefaultButton = IsDefaultButton,
};

constexpr PropertyInfo kButtonProperties[] = {
    TypeProperty("图片", "Picture", kPropPicture),
    TypeProperty("默认按钮", "Default", kPropBool),
    TypeProperty("标题", "Caption", kPropText),
    kHAlignProperty,
    kVAlignProperty,
    kFontProperty,
};
constexpr auto kProperties = MakePropertyTable(kButtonProperties);

constexpr UnitTypeInfo kButtonType = UnitType<kOperations>(
    "按钮", "Button", kTypeFlagUnitType | kTypeFlagMnemonicClicks | kTypeFlagEvents, kProperties);

}  // namespace

const UnitTypeInfo& ButtonUnitType() { return kButtonType; }
