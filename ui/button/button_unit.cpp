// The button unit. Event 0 (clicked) is raised when the parent reflects
// BN_CLICKED back, i.e. after the system's own click handling; Enter on a
// default button and the caption's mnemonic raise it through the window.
#include "ui/button/button_unit.h"

#include <windows.h>

#include "runtime/gbk_boundary.h"
#include "ui/framework/display_scale.h"
#include "ui/framework/events.h"
#include "ui/framework/focus_events.h"
#include "ui/framework/property_table.h"
#include "ui/framework/typed_operations.h"
#include "ui/framework/unit_look.h"
#include "ui/framework/unit_operations.h"
#include "ui/template/button_blob.h"

namespace {

constexpr LookProperties kLook{.font = kButtonFont};

struct ButtonUnit : UnitObject {
  ButtonProps props;
  UnitLook look = LookOf<kLook>(props);
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
      unit->look.Rescale(hwnd, static_cast<int>(wp));
      *result = 0;
      return true;
    default:
      return false;
  }
}

UnitObject* Create(const UnitCreation& c) {
  ButtonUnit* unit = CreateChildUnit<ButtonUnit>(c, DecodeButtonProps, [](const ButtonProps& p) {
    return ChildWindow{"BUTTON", p.caption.c_str(),
                       BS_MULTILINE | AlignStyle(p) | (p.defaultButton == 1 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)};
  }, UnitProc<ButtonUnit, OnMessage>);
  if (unit) unit->look.Show(unit->hwnd, WindowDpi(c.parent));
  return unit;
}

int SetProperty(ButtonUnit& unit, int property, const PropValue& v) {
  ButtonProps& p = unit.props;
  const HWND hwnd = unit.hwnd;
  switch (property) {
    case kButtonPicture:
      // Picture decoding is not part of this runtime: the data is kept.
      p.picture.assign(v.data, v.data + v.length);
      return 0;
    case kButtonDefault:
      p.defaultButton = v.i32 ? 1 : 0;
      SendMessageW(hwnd, BM_SETSTYLE, p.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
      return 0;
    case kButtonCaption:
      p.caption = v.text;
      SetWindowTextGbk(hwnd, p.caption.c_str());
      return 0;
    case kButtonHAlign:
    case kButtonVAlign:
      (property == kButtonHAlign ? p.hAlign : p.vAlign) = static_cast<uint32_t>(v.i32 > 2 ? 2 : v.i32);
      SetWindowLongPtrW(hwnd, GWL_STYLE, (GetWindowLongPtrW(hwnd, GWL_STYLE) & ~kAlignBits) | AlignStyle(p));
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    default:
      return 0;
  }
}

bool GetProperty(ButtonUnit& unit, int property, PropValue* v) {
  const ButtonProps& p = unit.props;
  switch (property) {
    case kButtonPicture: v->data = p.picture.data(), v->length = static_cast<int32_t>(p.picture.size()); return true;
    case kButtonDefault: v->i32 = p.defaultButton ? 1 : 0; return true;
    case kButtonCaption: v->text = p.caption.c_str(); return true;
    case kButtonHAlign: v->u32 = p.hAlign; return true;
    case kButtonVAlign: v->u32 = p.vAlign; return true;
    default: return false;
  }
}

int IsDefaultButton(UnitObject* object) {
  LONG_PTR style = GetWindowLongPtrW(object->hwnd, GWL_STYLE);
  return (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? 1 : 0;
}

constexpr UnitOperations kOperations =
    TypedOperations<ButtonUnit, Create, SetProperty, GetProperty>({.isDefaultButton = IsDefaultButton});

constexpr PropertyInfo kButtonProperties[] = {
    TypeProperty("图片", "Picture", kPropPicture),
    TypeProperty("默认按钮", "Default", kPropBool),
    TypeProperty("标题", "Caption", kPropText),
    kHAlignProperty,
    kVAlignProperty,
};
static_assert(kPropertyTable<kButtonProperties, kLook>.size() == kButtonFont + 1);

}  // namespace

const UnitTypeInfo& ButtonUnitType() {
  static constexpr UnitTypeInfo kType = UnitType<kOperations, kButtonProperties, kLook>(
      "按钮", "Button", kTypeFlagUnitType | kTypeFlagMnemonicClicks | kTypeFlagEvents);
  return kType;
}
