// The combo box unit. Event 0 (selection changed) is raised from a posted
// private message after CBN_SELENDOK, so that its handler reads the
// settled selection; the edit, drop-down and close-up notices raise 1-4.
#include "ui/combo/combo_unit.h"

#include <windows.h>

#include <cstring>

#include "runtime/gbk_boundary.h"
#include "ui/combo/combo_text.h"
#include "ui/framework/display_scale.h"
#include "ui/framework/events.h"
#include "ui/framework/focus_events.h"
#include "ui/framework/property_table.h"
#include "ui/framework/typed_operations.h"
#include "ui/framework/unit_look.h"
#include "ui/framework/unit_operations.h"
#include "ui/template/combo_blob.h"

namespace {

constexpr LookProperties kLook{.font = kComboFont, .textColor = kComboTextColor, .backColor = kComboBackColor};

struct ComboUnit : UnitObject {
  ComboProps props;
  UnitLook look = LookOf<kLook>(props);
  bool muteEdit = false;  // the program is setting the text
  std::string scratch;    // live texts handed to the framework
};

constexpr int kDropDownRoom = 160;  // created height of a drop-down, at least (design pixels)
constexpr uint32_t kWhite = 0xFFFFFF, kButtonFace = 0xFF000000;

DWORD StyleBits(const ComboProps& p) {
  DWORD s = p.style == 0 ? CBS_SIMPLE : p.style == 2 ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
  if (p.sorted) s |= CBS_SORT;
  return s;
}

int Count(HWND hwnd) { return static_cast<int>(SendMessageW(hwnd, CB_GETCOUNT, 0, 0)); }

void SetText(ComboUnit* unit, const std::string& text) {
  unit->muteEdit = true;
  SetWindowTextGbk(unit->hwnd, text.c_str());
  unit->muteEdit = false;
}

void FillItems(ComboUnit* unit) {
  const HWND hwnd = unit->hwnd;
  const ComboProps& p = unit->props;
  SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
  for (size_t i = 0; i < p.items.size(); ++i) {
    LRESULT at = ComboAddStringGbk(hwnd, p.items[i].c_str());
    if (at < 0 || p.itemData.size() < 4 * (i + 1)) continue;
    uint32_t data;
    memcpy(&data, p.itemData.data() + 4 * i, 4);
    SendMessageW(hwnd, CB_SETITEMDATA, static_cast<WPARAM>(at), data);
  }
}

void ApplySelection(ComboUnit* unit, int value) {
  const int sel = ClampComboSelection(value, Count(unit->hwnd));
  unit->props.selection = sel;
  SendMessageW(unit->hwnd, CB_SETCURSEL, static_cast<WPARAM>(sel), 0);
}

// The live items, selection and text, into the props (before a blob is made).
void SyncFromControl(ComboUnit& unit) {
  const HWND hwnd = unit.hwnd;
  ComboProps& p = unit.props;
  const int n = Count(hwnd);
  p.items.clear();
  p.itemData.assign(static_cast<size_t>(n > 0 ? n : 0) * 4, 0);
  for (int i = 0; i < n; ++i) {
    p.items.push_back(ComboItemTextGbk(hwnd, i));
    auto data = static_cast<uint32_t>(SendMessageW(hwnd, CB_GETITEMDATA, i, 0));
    memcpy(p.itemData.data() + 4 * i, &data, 4);
  }
  p.selection = static_cast<int32_t>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0));
  if (p.style != 2) p.content = WindowTextGbk(hwnd);
}

// The list items' height for the font, with the extra spacing (in design
// pixels) that the props ask for.
void ApplyItemHeight(ComboUnit* unit, int dpi) {
  const HWND hwnd = unit->hwnd;
  LRESULT itemHeight = SendMessageW(hwnd, CB_GETITEMHEIGHT, 0, 0);
  if (itemHeight > 0)
    SendMessageW(hwnd, CB_SETITEMHEIGHT, 0,
                 itemHeight + ToPixels(static_cast<int32_t>(unit->props.extraItemHeight), dpi));
}

// A new DPI: the new font, and room for the list below a drop-down.
void OnDisplayScaleChanged(ComboUnit* unit, int dpi) {
  unit->look.Rescale(unit->hwnd, dpi);
  ApplyItemHeight(unit, dpi);
  if (unit->props.style == 0) return;
  RECT r;
  GetWindowRect(unit->hwnd, &r);
  const int room = ToPixels(kDropDownRoom, dpi);
  // A drop-down's window rectangle is its closed field; the height that
  // SetWindowPos gives it is its dropped height.
  RECT dropped{};
  SendMessageW(unit->hwnd, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  if (dropped.bottom - dropped.top < room)
    SetWindowPos(unit->hwnd, nullptr, 0, 0, r.right - r.left, room, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT OnReflectedCommand(ComboUnit* unit, WPARAM wp) {
  const uint32_t w = unit->windowId, u = unit->unitId;
  switch (HIWORD(wp)) {
    case CBN_SELENDOK: PostMessageW(unit->hwnd, kMsgComboSettled, 0, 0); break;
    case CBN_EDITCHANGE:
      if (!unit->muteEdit) RaiseEvent(w, u, kComboEditChanged);
      break;
    case CBN_DROPDOWN: RaiseEvent(w, u, kComboDroppedDown); break;
    case CBN_CLOSEUP: RaiseEvent(w, u, kComboClosedUp); break;
    case CBN_DBLCLK: RaiseEvent(w, u, kComboDoubleClicked); break;
    case CBN_SETFOCUS: RaiseUnitFocusEvent(unit, kEventGotFocus); break;
    case CBN_KILLFOCUS: RaiseUnitFocusEvent(unit, kEventLostFocus); break;
    default: break;
  }
  return 0;
}

LRESULT OnColor(ComboUnit* unit, HDC dc) {
  if (!IsWindowEnabled(unit->hwnd)) return 0;
  return unit->look.PaintColors(dc);
}

bool OnMessage(ComboUnit* unit, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case kReflectBase + WM_COMMAND:
      *result = OnReflectedCommand(unit, wp);
      return true;
    case kMsgComboSettled:
      RaiseEvent(unit->windowId, unit->unitId, kComboSelectionChanged);
      *result = 0;
      return true;
    case kMsgDisplayScaleChanged:
      OnDisplayScaleChanged(unit, static_cast<int>(wp));
      *result = 0;
      return true;
    // The inner edit and list ask the combo box itself for their colours.
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case kReflectBase + WM_CTLCOLOREDIT:
    case kReflectBase + WM_CTLCOLORLISTBOX:
    case kReflectBase + WM_CTLCOLORSTATIC:
      *result = OnColor(unit, reinterpret_cast<HDC>(wp));
      return *result || msg >= kReflectBase;
    default:
      return false;
  }
}

UnitObject* Create(const UnitCreation& c) {
  const int dpi = WindowDpi(c.parent);
  ComboUnit* unit = CreateChildUnit<ComboUnit>(c, DecodeComboProps, [dpi](const ComboProps& p) {
    // A drop-down's list drops inside its created height.
    return ChildWindow{.className = "COMBOBOX", .style = WS_VSCROLL | CBS_AUTOHSCROLL | StyleBits(p),
                       .minHeight = p.style != 0 ? ToPixels(kDropDownRoom, dpi) : 0};
  }, UnitProc<ComboUnit, OnMessage>);
  if (!unit) return nullptr;
  const HWND hwnd = unit->hwnd;
  const ComboProps& p = unit->props;
  unit->look.Show(hwnd, dpi);
  ApplyItemHeight(unit, dpi);
  SendMessageW(hwnd, CB_LIMITTEXT, p.maxLength, 0);
  FillItems(unit);
  ApplySelection(unit, p.selection);
  if (p.style != 2) {
    SetText(unit, p.content);
    SendMessageW(hwnd, CB_SETEDITSEL, 0, MAKELPARAM(p.selStart, p.selStart + p.selLength));
  }
  return unit;
}

std::vector<std::string> SplitLines(const char* text) {
  std::vector<std::string> lines;
  std::string s = text ? text : "";
  if (s.empty()) return lines;
  size_t start = 0;
  for (size_t at; (at = s.find("\r\n", start)) != std::string::npos; start = at + 2)
    lines.push_back(s.substr(start, at - start));
  lines.push_back(s.substr(start));
  return lines;
}

int SetProperty(ComboUnit& unit, int property, const PropValue& v) {
  ComboProps& p = unit.props;
  const HWND hwnd = unit.hwnd;
  switch (property) {
    case kComboStyle: {
      SyncFromControl(unit);
      const uint32_t style = v.u32 > 2 ? 2 : v.u32;
      // A drop-down draws its own field, where the button face would look
      // wrong. Only a switch of style swaps: a colour written for the
      // current style stays.
      if (style != p.style && style != 0 && p.backColor == kButtonFace) p.backColor = kWhite;
      if (style != p.style && style == 0 && p.backColor == kWhite) p.backColor = kButtonFace;
      p.style = style;
      return 1;
    }
    case kComboContent:
      if (p.style != 2) SetText(&unit, v.text);
      return 0;
    case kComboMaxLength:
      p.maxLength = v.u32;
      SendMessageW(hwnd, CB_LIMITTEXT, p.maxLength, 0);
      return 0;
    case kComboSelStart:
    case kComboSelLength:
      (property == kComboSelStart ? p.selStart : p.selLength) = v.u32;
      SendMessageW(hwnd, CB_SETEDITSEL, 0, MAKELPARAM(p.selStart, p.selStart + p.selLength));
      return 0;
    case kComboSorted:
      SyncFromControl(unit);
      p.sorted = v.u32 ? 1 : 0;
      return 1;
    case kComboItemSpacing: {
      const int dpi = WindowDpi(hwnd);
      LRESULT h = SendMessageW(hwnd, CB_GETITEMHEIGHT, 0, 0) - ToPixels(static_cast<int32_t>(p.extraItemHeight), dpi);
      p.extraItemHeight = v.u32;
      SendMessageW(hwnd, CB_SETITEMHEIGHT, 0, h + ToPixels(static_cast<int32_t>(p.extraItemHeight), dpi));
      return 0;
    }
    case kComboSelection: ApplySelection(&unit, v.i32); return 0;
    case kComboItems:
      p.items = SplitLines(v.text);
      FillItems(&unit);
      ApplySelection(&unit, -1);
      return 0;
    case kComboItemData: {
      p.itemData.assign(v.data, v.data + v.length);
      const int n = Count(hwnd);
      for (int i = 0; i < n && p.itemData.size() >= 4u * (i + 1); ++i) {
        uint32_t d;
        memcpy(&d, p.itemData.data() + 4 * i, 4);
        SendMessageW(hwnd, CB_SETITEMDATA, i, d);
      }
      return 0;
    }
    case kComboDataSource: p.text22 = v.text; return 0;
    case kComboDataColumn: p.text23 = v.text; return 0;
    case kComboReserved2: p.prop24 = v.u32; return 0;
    default: return 0;
  }
}

bool GetProperty(ComboUnit& unit, int property, PropValue* v) {
  ComboProps& p = unit.props;
  const HWND hwnd = unit.hwnd;
  switch (property) {
    case kComboStyle: v->u32 = p.style; return true;
    case kComboContent:
      unit.scratch = WindowTextGbk(hwnd);
      v->text = unit.scratch.c_str();
      return true;
    case kComboMaxLength: v->u32 = p.maxLength; return true;
    case kComboSelStart: v->u32 = p.selStart; return true;
    case kComboSelLength: v->u32 = p.selLength; return true;
    case kComboReserved: v->u32 = 0; return true;
    case kComboSorted: v->u32 = p.sorted; return true;
    case kComboItemSpacing: v->u32 = p.extraItemHeight; return true;
    // -1 also when the user typed a text that is not an item.
    case kComboSelection: v->i32 = static_cast<int32_t>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0)); return true;
    case kComboItems: {
      SyncFromControl(unit);
      unit.scratch.clear();
      for (size_t i = 0; i < p.items.size(); ++i) unit.scratch += (i ? "\r\n" : "") + p.items[i];
      v->text = unit.scratch.c_str();
      return true;
    }
    case kComboItemData:
      SyncFromControl(unit);
      v->data = p.itemData.data(), v->length = static_cast<int32_t>(p.itemData.size());
      return true;
    case kComboDataSource: v->text = p.text22.c_str(); return true;
    case kComboDataColumn: v->text = p.text23.c_str(); return true;
    case kComboReserved2: v->u32 = p.prop24; return true;
    default: return false;
  }
}

// An open list keeps Enter and Escape for itself.
int KeyClaim(UnitObject* object, int key) {
  if (key != VK_RETURN && key != VK_ESCAPE) return 0;
  return SendMessageW(object->hwnd, CB_GETDROPPEDSTATE, 0, 0) ? 1 : 0;
}

constexpr UnitOperations kOperations =
    TypedOperations<ComboUnit, Create, SetProperty, GetProperty, SyncFromControl>({.keyClaim = KeyClaim});

constexpr PropertyInfo kComboProperties[] = {
    TypeProperty("类型", "Style", kPropPickList, "简单组合框\0可编辑列表式组合框\0不可编辑列表式组合框\0"),
    TypeProperty("内容", "Content", kPropText),
    TypeProperty("最大文本长度", "MaxLength", kPropInt),
    TypeProperty("起始选择位置", "SelStart", kPropInt),
    TypeProperty("被选择文本长度", "SelLength", kPropInt),
    TypeProperty("保留", "Reserved", kPropInt),
    TypeProperty("自动排序", "Sorted", kPropBool),
    TypeProperty("行间距", "ItemSpacing", kPropInt),
    TypeProperty("现行选中项", "ListIndex", kPropInt),
    TypeProperty("列表项目", "List", kPropText4),
    TypeProperty("项目数值", "ItemData", kPropBytes2),
    kDataSourceProperty,
    kDataColumnProperty,
    TypeProperty("保留2", "Reserved2", kPropInt),
};
static_assert(kPropertyTable<kComboProperties, kLook>.size() == kComboReserved2 + 1);

}  // namespace

const UnitTypeInfo& ComboBoxUnitType() {
  static constexpr UnitTypeInfo kType = UnitType<kOperations, kComboProperties, kLook>(
      "组合框", "ComboBox", kTypeFlagUnitType | kTypeFlagComboBit | kTypeFlagEvents);
  return kType;
}
