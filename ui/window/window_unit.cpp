// The window unit; see window_unit.h.
#include "ui/window/window_unit.h"

#include <windows.h>


#include "runtime/gbk_boundary.h"
#include "runtime/runtime.h"
#include "ui/framework/display_relayout.h"
#include "ui/framework/display_scale.h"
#include "ui/framework/events.h"
#include "ui/framework/focus_events.h"
#include "ui/framework/gdi.h"
#include "ui/framework/keyboard.h"
#include "ui/framework/property_table.h"
#include "ui/framework/reflect.h"
#include "ui/framework/screen_fit.h"
#include "ui/framework/typed_operations.h"
#include "ui/framework/unit_look.h"
#include "ui/framework/unit_operations.h"
#include "ui/window/window_icons.h"
#include "ui/window/window_style.h"

namespace {

constexpr char kDefaultClass[] = "WTWindow";

// Its background is painted in the colour at every erase.
constexpr LookProperties kLook{.drawing = LookDrawing::kByUnit, .backColor = kWindowBackColor};

struct WindowUnit : UnitObject {
  WindowProps props;
  UnitLook look = LookOf<kLook>(props);
  HICON bigIcon = nullptr, smallIcon = nullptr;  // made from property 20; owned
  HWND lastFocus = nullptr;                      // restored on activation
};

bool OnMessage(WindowUnit* unit, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
// The unit is attached after creation; the frame's scaling must be asked
// for before, at WM_NCCREATE.
LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) EnableNonClientScaling(hwnd);
  return UnitProc<WindowUnit, OnMessage>(hwnd, msg, wp, lp);
}
// Every notification of a list view passes the window's procedure. It is
// the class's for the runtime's own class; a class the program names that
// exists already keeps its procedure under the unit's.
constexpr WNDPROC kWindowProc = WindowProc;


void SetIcons(WindowUnit* unit) {
  HICON oldBig = unit->bigIcon, oldSmall = unit->smallIcon;
  unit->bigIcon = IconFromData(unit->props.icon, 32);
  unit->smallIcon = IconFromData(unit->props.icon, 16);
  HICON big = unit->bigIcon ? unit->bigIcon : DefaultIcon(true);
  HICON small = unit->smallIcon ? unit->smallIcon : DefaultIcon(false);
  SendMessageW(unit->hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageW(unit->hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  if (oldBig) DestroyIcon(oldBig);
  if (oldSmall) DestroyIcon(oldSmall);
}

void ApplyCloseButton(HWND hwnd, bool on) {
  GetSystemMenu(hwnd, TRUE);  // back to the standard menu
  if (!on) DeleteMenu(GetSystemMenu(hwnd, FALSE), SC_CLOSE, MF_BYCOMMAND);
}

void ApplyTopmost(HWND hwnd, bool on) {
  SetWindowPos(hwnd, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// New frame styles from the properties; the window's state bits stay.
void Restyle(WindowUnit* unit) {
  const HWND hwnd = unit->hwnd;
  const DWORD current = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
  constexpr DWORD kState = WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE | WS_POPUP;
  WindowStyles s = WindowStylesOf(unit->props, GetWindow(hwnd, GW_OWNER) != nullptr);
  SetWindowLongPtrW(hwnd, GWL_STYLE, (s.style & ~(WS_MINIMIZE | WS_MAXIMIZE | WS_POPUP)) | (current & kState));
  SetWindowLongPtrW(hwnd, GWL_EXSTYLE, s.exStyle);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// The unit that had the focus when the window was last deactivated, else
// the first unit in Tab order, else the window itself.
void RestoreFocus(WindowUnit* unit) {
  const HWND hwnd = unit->hwnd;
  HWND target = unit->lastFocus;
  if (!target || !IsWindow(target) || !IsChild(hwnd, target) || !IsWindowVisible(target) ||
      !IsWindowEnabled(target)) {
    target = nullptr;
    LoadedWindow* win;
    UnitRecord* rec;
    if (LocateUnit(unit, &win, &rec)) {
      auto seq = TabSequence(*win);
      if (!seq.empty()) target = seq.front()->object->hwnd;
    }
  }
  SetFocus(target ? target : hwnd);
}

void PaintBackground(WindowUnit* unit, HDC dc) {
  RECT r;
  GetClientRect(unit->hwnd, &r);
  HBRUSH brush = CreateSolidBrush(ResolveColor(unit->props.backColor));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// The window reports its end as the window's (unit 0).
bool OnMessage(WindowUnit* unit, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (ReflectToChild(hwnd, msg, wp, lp, result)) return true;
  switch (msg) {
    case WM_ERASEBKGND:
      PaintBackground(unit, reinterpret_cast<HDC>(wp));
      *result = 1;
      return true;
    case WM_MOVE:
    case WM_SIZE:
      *result = CallBase(unit, hwnd, msg, wp, lp);
      RaiseEvent(unit->windowId, 0, msg == WM_MOVE ? kWindowMoved : kWindowResized);
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      *result = CallBase(unit, hwnd, msg, wp, lp);
      RaiseUnitFocusEvent(unit, msg == WM_SETFOCUS ? kEventGotFocus : kEventLostFocus);
      return true;
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) unit->lastFocus = focus;
        return false;
      }
      if (HIWORD(wp)) return false;  // minimized
      RestoreFocus(unit);
      *result = 0;
      return true;
    case WM_DPICHANGED:
      RelayoutForDpi(hwnd, LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
      *result = 0;
      return true;
    case kMsgDisplayScaleChanged:
      SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFontAtDpi(static_cast<int>(wp))), FALSE);
      *result = 0;
      return true;
    case WM_NCDESTROY:
      ForgetWindowDpi(hwnd);
      *result = LiveUnits<WindowUnit>().End(unit, hwnd, wp, lp);
      if (unit->bigIcon) DestroyIcon(unit->bigIcon);
      if (unit->smallIcon) DestroyIcon(unit->smallIcon);
      RuntimeNotify(kNotifyDestroyed, static_cast<intptr_t>(unit->windowId), 0);
      delete unit;
      return true;
    default:
      return false;
  }
}

// The record's place is in design units: the window lays itself out.
UnitObject* Create(const UnitCreation& c) {
  auto owned = NewUnit<WindowUnit>(c, DecodeWindowProps);
  if (!owned) return nullptr;
  const WindowProps& p = owned->props;
  const char* className = p.className.empty() ? kDefaultClass : p.className.c_str();
  if (!RegisterUnitClass(className, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, kWindowProc)) return nullptr;
  const bool modal = c.reserved != 0;
  HWND owner = c.parent;
  if (!owner && (!p.ownTaskbarButton || modal)) owner = RtHiddenOwner();
  WindowStyles s = WindowStylesOf(p, owner != nullptr);
  // The window's scale, place and outer size on a monitor of a DPI with
  // a work area. The system's DPI, and the work area where the window
  // would go at it as designed, serve until the window knows its monitor.
  const SIZE screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  POINT at;
  SIZE outer;
  auto placeOn = [&](int monitorDpi, const RECT& work) {
    const ScreenFit fit =
        FitToWorkArea({c.width, c.height}, s.style | c.style, s.exStyle, c.menu != nullptr, monitorDpi, work);
    outer = fit.outer;
    at = StartPosition(p, {ToPixels(c.left, fit.dpi), ToPixels(c.top, fit.dpi)}, outer, screen);
    if (!fit.fitsAtMonitorScale) at = KeepInWorkArea(at, outer, work);
    return fit.dpi;
  };
  const int systemDpi = SystemDpi();
  constexpr RECT kUnbounded{-0x3FFFFFFF, -0x3FFFFFFF, 0x3FFFFFFF, 0x3FFFFFFF};
  placeOn(systemDpi, kUnbounded);
  const RECT work = WorkAreaNear({at.x, at.y, at.x + outer.cx, at.y + outer.cy});
  int dpi = placeOn(systemDpi, work);
  HWND hwnd = CreateWindowGbk(s.exStyle, className, p.title.c_str(), s.style | c.style, at.x, at.y, outer.cx,
                              outer.cy, owner, c.menu, RtInstance());
  if (!hwnd) return nullptr;
  WindowUnit* unit = AttachUnit(std::move(owned), hwnd, kWindowProc);
  const int shown = MeasuredWindowDpi(hwnd);
  RECT r;
  GetWindowRect(hwnd, &r);
  const RECT shownWork = WorkAreaNear(r);
  const bool otherPlace = shown != systemDpi || !EqualRect(&shownWork, &work);
  if (otherPlace) dpi = placeOn(shown, shownWork);
  KeepWindowDpi(hwnd, dpi, shown);
  if (!IsIconic(hwnd) && !IsZoomed(hwnd) && (otherPlace || r.right - r.left != outer.cx || r.bottom - r.top != outer.cy))
    MoveWindow(hwnd, at.x, at.y, outer.cx, outer.cy, FALSE);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFontAtDpi(dpi)), FALSE);
  if (p.topmost) ApplyTopmost(hwnd, true);
  if (!p.closeButton) ApplyCloseButton(hwnd, false);
  SetIcons(unit);
  return unit;
}

uint32_t* WordSlot(WindowProps& p, int property) {
  switch (property) {
    case kWindowBorder: return &p.borderStyle;
    case kWindowPictureMode: return &p.pictureMode;
    case kWindowProp14: return &p.prop14;
    case kWindowControlBox: return &p.controlBox;
    case kWindowMaxButton: return &p.maxButton;
    case kWindowMinButton: return &p.minButton;
    case kWindowStartPosition: return &p.startPosition;
    case kWindowCloseButton: return &p.closeButton;
    case kWindowEnterMovesFocus: return &p.enterMovesFocus;
    case kWindowEscapeCloses: return &p.escapeCloses;
    case kWindowF1Help: return &p.f1Help;
    case kWindowHelpContext: return &p.helpContext;
    case kWindowOwnTaskbarButton: return &p.ownTaskbarButton;
    case kWindowDragMove: return &p.dragMove;
    case kWindowProp28: return &p.prop28;
    case kWindowTopmost: return &p.topmost;
    case kWindowProp30: return &p.prop30;
    default: return nullptr;
  }
}

std::vector<uint8_t>* BytesSlot(WindowProps& p, int property) {
  switch (property) {
    case kWindowPicture: return &p.picture;
    case kWindowSound: return &p.sound;
    case kWindowIcon: return &p.icon;
    default: return nullptr;
  }
}

std::string* TextSlot(WindowProps& p, int property) {
  switch (property) {
    case kWindowTitle: return &p.title;
    case kWindowHelpFile: return &p.helpFile;
    case kWindowClassName: return &p.className;
    default: return nullptr;
  }
}

// Every change is shown on the live window; none needs a new one.
int SetProperty(WindowUnit& unit, int property, const PropValue& v) {
  WindowProps& p = unit.props;
  const HWND hwnd = unit.hwnd;
  if (std::string* text = TextSlot(p, property)) {
    *text = v.text;
    if (property == kWindowTitle) {
      SetWindowTextGbk(hwnd, p.title.c_str());
      Restyle(&unit);  // a caption appears with the first title
    }
    return 0;
  }
  if (std::vector<uint8_t>* bytes = BytesSlot(p, property)) {
    bytes->assign(v.data, v.data + v.length);
    if (property == kWindowIcon) SetIcons(&unit);
    if (property == kWindowPicture) InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
  }
  uint32_t* word = WordSlot(p, property);
  if (!word) return 0;
  *word = v.u32;
  switch (property) {
    case kWindowBorder: case kWindowControlBox: case kWindowMaxButton: case kWindowMinButton: Restyle(&unit); break;
    case kWindowCloseButton: ApplyCloseButton(hwnd, p.closeButton != 0); break;
    case kWindowTopmost: ApplyTopmost(hwnd, p.topmost != 0); break;
    default: break;
  }
  return 0;
}

bool GetProperty(WindowUnit& unit, int property, PropValue* v) {
  WindowProps& p = unit.props;
  if (std::string* text = TextSlot(p, property)) {
    v->text = text->c_str();
    return true;
  }
  if (std::vector<uint8_t>* bytes = BytesSlot(p, property)) {
    v->data = bytes->data();
    v->length = static_cast<int32_t>(bytes->size());
    return true;
  }
  uint32_t* word = WordSlot(p, property);
  if (!word) return false;
  v->u32 = *word;
  return true;
}

constexpr UnitOperations kOperations =
    TypedOperations<WindowUnit, Create, SetProperty, GetProperty>();

constexpr PropertyInfo kWindowProperties[] = {
    TypeProperty("标题", "Caption", kPropText),
    TypeProperty("边框", "Border", kPropPickList,
                 "无边框\0普通可调边框\0普通固定边框\0窄标题可调边框\0窄标题固定边框\0镜框式可调边框\0镜框式固定边框\0"),
    TypeProperty("底图", "Picture", kPropPicture),
    TypeProperty("底图方式", "PictureMode", kPropPickList, "图片居左上\0图片平铺\0图片居中\0缩放图片\0"),
    TypeProperty("背景音乐", "Sound", kPropSound),
    TypeProperty("保留14", "Reserved14", kPropInt),
    TypeProperty("控制按钮", "ControlBox", kPropBool),
    TypeProperty("最大化按钮", "MaxButton", kPropBool),
    TypeProperty("最小化按钮", "MinButton", kPropBool),
    TypeProperty("位置", "StartPosition", kPropPickList, "通常\0居中\0最小化\0最大化\0"),
    TypeProperty("关闭按钮", "CloseButton", kPropBool),
    TypeProperty("图标", "Icon", kPropIcon),
    TypeProperty("回车下移焦点", "EnterMovesFocus", kPropBool),
    TypeProperty("Esc键关闭", "EscapeCloses", kPropBool),
    TypeProperty("F1键打开帮助", "F1Help", kPropBool),
    TypeProperty("帮助文件名", "HelpFile", kPropText),
    TypeProperty("帮助标志值", "HelpContext", kPropInt),
    TypeProperty("在任务条中显示", "ShowInTaskbar", kPropBool),
    TypeProperty("随意移动", "DragMove", kPropBool),
    TypeProperty("保留28", "Reserved28", kPropInt),
    TypeProperty("总在最前", "Topmost", kPropBool),
    TypeProperty("保留30", "Reserved30", kPropInt),
    TypeProperty("窗口类名", "ClassName", kPropText),
};
static_assert(kPropertyTable<kWindowProperties, kLook>.size() == kWindowClassName + 1);

}  // namespace

const UnitTypeInfo& WindowUnitType() {
  static constexpr UnitTypeInfo kType = UnitType<kOperations, kWindowProperties, kLook>(
      "窗口", "Window", kTypeFlagUnitType | kTypeFlagWindowBits | kTypeFlagEvents);
  return kType;
}
