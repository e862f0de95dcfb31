// The edit box unit. Writing the content raises event 0 (content changed)
// exactly once per write, whether or not the text differs: the control's
// own change notice is muted while the text is set, then one EN_CHANGE is
// reflected to the unit.
#include "ui/edit/edit_unit.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "runtime/gbk_boundary.h"
#include "runtime/runtime.h"
#include "ui/edit/edit_styles.h"
#include "ui/framework/display_scale.h"
#include "ui/framework/events.h"
#include "ui/framework/focus_events.h"
#include "ui/framework/border_style.h"
#include "ui/framework/gdi.h"
#include "ui/framework/property_table.h"
#include "ui/framework/typed_operations.h"
#include "ui/framework/unit_look.h"
#include "ui/framework/unit_operations.h"

namespace {

constexpr LookProperties kLook{.font = kEditFont, .textColor = kEditTextColor, .backColor = kEditBackColor};

struct EditUnit : UnitObject {
  EditProps props;
  UnitLook look = LookOf<kLook>(props);
  HWND adjuster = nullptr;     // the up-down control, if any
  bool muteChange = false;     // the program is setting the text
  std::string scratch;         // live texts handed to the framework
};

void SetContent(EditUnit* unit, const char* text) {
  unit->muteChange = true;
  SetWindowTextGbk(unit->hwnd, text);
  unit->muteChange = false;
  SendMessageW(unit->hwnd, kReflectBase + WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(unit->hwnd), EN_CHANGE),
               reinterpret_cast<LPARAM>(unit->hwnd));
}

void ApplySelection(const EditUnit* unit) {
  const EditProps& p = unit->props;
  SendMessageW(unit->hwnd, EM_SETSEL, p.selStart, p.selStart + p.selLength);
  SendMessageW(unit->hwnd, EM_SCROLLCARET, 0, 0);
}

// The live content and selection, into the props (before a blob is made).
void SyncFromControl(EditUnit& unit) {
  unit.props.content = WindowTextGbk(unit.hwnd);
  DWORD start = 0, end = 0;
  SendMessageW(unit.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  unit.props.selStart = start;
  unit.props.selLength = end >= start ? end - start : 0;
}

// An up-down control beside a single-line edit box, over the range from
// the smaller to the larger bound.
void CreateAdjuster(EditUnit* unit, HWND parent) {
  const EditProps& p = unit->props;
  if (!p.adjuster || p.multiLine) return;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&icc);
  const int a = static_cast<int32_t>(p.adjusterLower), b = static_cast<int32_t>(p.adjusterUpper);
  unit->adjuster = CreateWindowExW(0, UPDOWN_CLASSW, L"",
                                   WS_CHILD | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                                   0, 0, 0, 0, parent, nullptr, RtInstance(), nullptr);
  if (!unit->adjuster) return;
  SendMessageW(unit->adjuster, UDM_SETBUDDY, reinterpret_cast<WPARAM>(unit->hwnd), 0);
  SendMessageW(unit->adjuster, UDM_SETRANGE32, std::min(a, b), std::max(a, b));
}

// A single line must show the whole text height inside its frame: a
// shorter box grows, keeping its width.
void FitSingleLine(EditUnit* unit, int dpi) {
  if (unit->props.multiLine) return;
  RECT r;
  GetWindowRect(unit->hwnd, &r);
  int need = FontTextHeight(unit->hwnd, unit->look.Font()) + 2 * SystemMetricAtDpi(SM_CYEDGE, dpi);
  if (r.bottom - r.top < need)
    SetWindowPos(unit->hwnd, nullptr, 0, 0, r.right - r.left, need, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT OnReflectedCommand(EditUnit* unit, WPARAM wp) {
  switch (HIWORD(wp)) {
    case EN_CHANGE:
      if (!unit->muteChange) RaiseEvent(unit->windowId, unit->unitId, kEditContentChanged);
      break;
    case EN_SETFOCUS: RaiseUnitFocusEvent(unit, kEventGotFocus); break;
    case EN_KILLFOCUS: RaiseUnitFocusEvent(unit, kEventLostFocus); break;
    default: break;
  }
  return 0;
}

LRESULT OnColor(EditUnit* unit, UINT msg, HDC dc) {
  const bool readOnly = unit->props.inputMode == 1;
  // A disabled edit box keeps the system's grey.
  if (msg == WM_CTLCOLORSTATIC && (!readOnly || !IsWindowEnabled(unit->hwnd))) return 0;
  return unit->look.PaintColors(dc);
}

// The adjuster shows, hides, is enabled and ends with its edit box.
bool OnMessage(EditUnit* unit, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case kReflectBase + WM_COMMAND:
      *result = OnReflectedCommand(unit, wp);
      return true;
    case kReflectBase + WM_CTLCOLOREDIT:
    case kReflectBase + WM_CTLCOLORSTATIC:
      *result = OnColor(unit, msg - kReflectBase, reinterpret_cast<HDC>(wp));
      return true;
    case WM_SHOWWINDOW:
      if (unit->adjuster) ShowWindow(unit->adjuster, wp ? SW_SHOWNA : SW_HIDE);
      return false;
    case WM_ENABLE:
      if (unit->adjuster) EnableWindow(unit->adjuster, static_cast<BOOL>(wp));
      return false;
    case WM_NCDESTROY:
      if (unit->adjuster && IsWindow(unit->adjuster)) DestroyWindow(unit->adjuster);
      return false;
    case kMsgDisplayScaleChanged:
      unit->look.Rescale(hwnd, static_cast<int>(wp));
      FitSingleLine(unit, static_cast<int>(wp));
      if (unit->adjuster) SendMessageW(unit->adjuster, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hwnd), 0);
      *result = 0;
      return true;
    default:
      return false;
  }
}

UnitObject* Create(const UnitCreation& c) {
  EditUnit* unit = CreateChildUnit<EditUnit>(c, DecodeEditProps, [](const EditProps& p) {
    const EditStyles s = EditStylesOf(p);
    return ChildWindow{"EDIT", "", s.style, s.exStyle};
  }, UnitProc<EditUnit, OnMessage>);
  if (!unit) return nullptr;
  const HWND hwnd = unit->hwnd;
  const EditProps& p = unit->props;
  const int dpi = WindowDpi(c.parent);
  unit->look.Show(hwnd, dpi);
  FitSingleLine(unit, dpi);
  SendMessageW(hwnd, EM_LIMITTEXT, p.maxLength, 0);
  if (p.inputMode == 2) SendMessageW(hwnd, EM_SETPASSWORDCHAR, p.passwordChar, 0);
  unit->muteChange = true;
  SetWindowTextGbk(hwnd, p.content.c_str());
  unit->muteChange = false;
  ApplySelection(unit);
  CreateAdjuster(unit, c.parent);
  return unit;
}

int SetProperty(EditUnit& unit, int property, const PropValue& v) {
  EditProps& p = unit.props;
  const HWND hwnd = unit.hwnd;
  switch (property) {
    case kEditContent: SetContent(&unit, v.text); return 0;
    case kEditBorder: {
      p.border = v.u32;
      SetBorderStyle(hwnd, p.border);
      return 0;
    }
    case kEditMaxLength:
      p.maxLength = v.u32;
      SendMessageW(hwnd, EM_LIMITTEXT, p.maxLength, 0);
      return 0;
    case kEditPasswordChar:
      p.passwordChar = static_cast<uint16_t>(v.u32);
      if (p.inputMode == 2) SendMessageW(hwnd, EM_SETPASSWORDCHAR, p.passwordChar, 0), InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case kEditSelStart:
    case kEditSelLength:
      SyncFromControl(unit);
      (property == kEditSelStart ? p.selStart : p.selLength) = v.u32;
      ApplySelection(&unit);
      return 0;
    case kEditAdjusterLower:
    case kEditAdjusterUpper: {
      (property == kEditAdjusterLower ? p.adjusterLower : p.adjusterUpper) = v.u32;
      const int a = static_cast<int32_t>(p.adjusterLower), b = static_cast<int32_t>(p.adjusterUpper);
      if (unit.adjuster) SendMessageW(unit.adjuster, UDM_SETRANGE32, std::min(a, b), std::max(a, b));
      return 0;
    }
    case kEditDataSource: p.text27 = v.text; return 0;
    case kEditDataColumn: p.text28 = v.text; return 0;
    // Styles the control fixes at creation: the unit is made anew.
    case kEditHideSelection: p.hideSelection = v.u32; return 1;
    case kEditMultiLine: p.multiLine = v.u32; return 1;
    case kEditScrollBars: p.scrollBars = v.u32; return 1;
    case kEditAlign: p.align = v.u32; return 1;
    case kEditInputMode: p.inputMode = v.u32; return 1;
    case kEditCase: p.caseConversion = v.u32; return 1;
    case kEditAdjuster: p.adjuster = v.u32; return 1;
    default: return 0;
  }
}

// The stored words that a read answers as they are.
const uint32_t* WordSlot(const EditProps& p, int property) {
  switch (property) {
    case kEditBorder: return &p.border;
    case kEditHideSelection: return &p.hideSelection;
    case kEditMaxLength: return &p.maxLength;
    case kEditMultiLine: return &p.multiLine;
    case kEditScrollBars: return &p.scrollBars;
    case kEditAlign: return &p.align;
    case kEditInputMode: return &p.inputMode;
    case kEditCase: return &p.caseConversion;
    case kEditAdjuster: return &p.adjuster;
    case kEditAdjusterLower: return &p.adjusterLower;
    case kEditAdjusterUpper: return &p.adjusterUpper;
    default: return nullptr;
  }
}

bool GetProperty(EditUnit& unit, int property, PropValue* v) {
  EditProps& p = unit.props;
  switch (property) {
    case kEditContent:
      unit.scratch = WindowTextGbk(unit.hwnd);
      v->text = unit.scratch.c_str();
      return true;
    case kEditSelStart:
    case kEditSelLength:
      SyncFromControl(unit);
      v->u32 = property == kEditSelStart ? p.selStart : p.selLength;
      return true;
    case kEditDataSource: v->text = p.text27.c_str(); return true;
    case kEditDataColumn: v->text = p.text28.c_str(); return true;
    case kEditPasswordChar: v->u32 = p.passwordChar; return true;
    case kEditReserved: v->u32 = 0; return true;
    default: break;
  }
  const uint32_t* word = WordSlot(p, property);
  if (!word) return false;
  v->u32 = *word;
  return true;
}

// Enter belongs to a multi-line edit box that can be typed into.
int KeyClaim(UnitObject* object, int key) {
  const EditProps& p = static_cast<EditUnit*>(object)->props;
  return key == VK_RETURN && p.multiLine && p.inputMode != 1 ? 1 : 0;
}

constexpr UnitOperations kOperations =
    TypedOperations<EditUnit, Create, SetProperty, GetProperty, SyncFromControl>({.keyClaim = KeyClaim});

constexpr PropertyInfo kEditProperties[] = {
    TypeProperty("内容", "Content", kPropText),
    TypeProperty("边框", "Border", kPropPickList,
                 "无边框\0凹入式\0凸出式\0浅凹入式\0镜框式\0单线边框式\0"),
    TypeProperty("隐藏选择", "HideSelection", kPropBool),
    TypeProperty("最大允许长度", "MaxLength", kPropInt),
    TypeProperty("是否允许多行", "MultiLine", kPropBool),
    TypeProperty("滚动条", "ScrollBars", kPropPickList, "无\0横向滚动条\0纵向滚动条\0横向及纵向滚动条\0"),
    TypeProperty("对齐方式", "Align", kPropPickList, "左对齐\0居中\0右对齐\0"),
    TypeProperty("输入方式", "InputMode", kPropPickList, "通常方式\0只读方式\0密码输入\0"),
    TypeProperty("密码遮盖字符", "PasswordChar", kPropInt),
    TypeProperty("转换方式", "Case", kPropPickList, "无\0大写到小写\0小写到大写\0"),
    TypeProperty("调节器方式", "Adjuster", kPropPickList, "无调节器\0自动调节器\0"),
    TypeProperty("调节器底限值", "AdjusterLower", kPropInt),
    TypeProperty("调节器上限值", "AdjusterUpper", kPropInt),
    TypeProperty("起始选择位置", "SelStart", kPropInt),
    TypeProperty("被选择字符数", "SelLength", kPropInt),
    TypeProperty("保留", "Reserved", kPropInt),
    kDataSourceProperty,
    kDataColumnProperty,
};
static_assert(kPropertyTable<kEditProperties, kLook>.size() == kEditDataColumn + 1);

}  // namespace

const UnitTypeInfo& EditBoxUnitType() {
  static constexpr UnitTypeInfo kType =
      UnitType<kOperations, kEditProperties, kLook>("编辑框", "EditBox", kTypeFlagUnitType | kTypeFlagEvents);
  return kType;
}
