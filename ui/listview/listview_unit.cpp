// The list view unit's life: creation from its data, the subclass window
// procedure, and the end of the object with its control.
#include "ui/listview/listview_unit.h"

#include <windowsx.h>

#include <vector>

#include "runtime/runtime.h"
#include "ui/framework/display_scale.h"
#include "ui/framework/reflect.h"
#include "ui/framework/unit_window.h"
#include "ui/listview/extended_ui_library.h"
#include "ui/listview/listview_apply.h"

namespace {

// In the unit's own procedure (and its direct reflection, which runs only
// while that procedure is the control's).
ListViewUnit* UnitOf(HWND hwnd) { return UnitWindows<ListViewUnit>::FromOwnProcedure(hwnd); }

// The control toggles the focused item's check box on Space by itself; the
// state is read when the posted message arrives, after the toggle.
void AfterChar(ListViewUnit* unit, WPARAM ch) {
  if (ch != ' ' || !unit->data.checkBoxes) return;
  int focused = static_cast<int>(SendMessageW(unit->hwnd, LVM_GETNEXTITEM, -1, LVNI_FOCUSED));
  if (focused >= 0) PostMessageW(unit->hwnd, kMsgCheckBoxChanged, focused, 0);
}

void OnCheckBoxChanged(ListViewUnit* unit, int item) {
  auto state = static_cast<UINT>(SendMessageW(unit->hwnd, LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK));
  uint32_t args[2] = {static_cast<uint32_t>(item), static_cast<uint32_t>((state >> 12) - 1)};
  FireListViewEvent(unit, kLvEventCheckChanged, 2, args, nullptr);
}

// The control is gone: report it, then the object ends. Image lists the
// unit gave the control are taken back first, so only the unit frees them.
LRESULT OnNcDestroy(ListViewUnit* unit, HWND hwnd, WPARAM wp, LPARAM lp) {
  DetachImageLists(unit);
  LRESULT r = LiveUnits<ListViewUnit>().End(unit, hwnd, wp, lp);
  ClearReflectedNotifyHandler(hwnd);
  ExtendedUiNotify(kNotifyDestroyed, unit->windowId, unit->unitId);
  delete unit;
  return r;
}

// What ListViewProc does with a reflected WM_NOTIFY, for the parent's
// direct call.
LRESULT ReflectedNotify(HWND hwnd, NMHDR* header) {
  ListViewUnit* unit = UnitOf(hwnd);
  return unit ? OnListViewNotify(unit, header) : 0;
}

LRESULT CALLBACK ListViewProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  ListViewUnit* unit = UnitOf(hwnd);
  if (!unit) return DefWindowProcW(hwnd, msg, wp, lp);
  switch (msg) {
    case kMsgGetUnitObject:
      return reinterpret_cast<LRESULT>(static_cast<UnitObject*>(unit));
    case kReflectBase + WM_NOTIFY:
      return ReflectedNotify(hwnd, reinterpret_cast<NMHDR*>(lp));
    case kMsgResumeRedraw:
      ResumeRedraw(unit);
      return 0;
    case kMsgDisplayScaleChanging:
      NoteTopRowBeforeRescale(unit);
      return 0;
    case kMsgDisplayScaleChanged:
      ApplyDisplayScale(unit, static_cast<int>(wp), static_cast<int>(lp));
      return 0;
    case kMsgCheckBoxChanged:
      OnCheckBoxChanged(unit, static_cast<int>(wp));
      return 0;
    case kMsgClicked:
    case kMsgRightClicked:
    case kMsgDoubleClicked:
      OnListViewClickSettled(unit, msg, static_cast<int>(wp), {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return 0;
    case WM_CHAR: {
      LRESULT r = CallBase(unit, hwnd, msg, wp, lp);
      if (UnitOf(hwnd) == unit) AfterChar(unit, wp);  // unless the unit ended meanwhile
      return r;
    }
    case WM_NCDESTROY:
      return OnNcDestroy(unit, hwnd, wp, lp);
    default:
      return CallBase(unit, hwnd, msg, wp, lp);
  }
}

void EnsureCommonControls() {
  static bool done = false;
  if (done) return;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  done = InitCommonControlsEx(&icc) != FALSE;
}

// WM_SETREDRAW as DefWindowProc handles it also clears or sets WS_VISIBLE;
// the unit's visibility must not follow, so the bit is put back as it was.
void SetRedraw(HWND hwnd, bool on) {
  const LONG before = GetWindowLongW(hwnd, GWL_STYLE);
  SendMessageW(hwnd, WM_SETREDRAW, on ? TRUE : FALSE, 0);
  const LONG after = GetWindowLongW(hwnd, GWL_STYLE);
  if ((after ^ before) & WS_VISIBLE)
    SetWindowLongW(hwnd, GWL_STYLE, (after & ~WS_VISIBLE) | (before & WS_VISIBLE));
}

}  // namespace

void HoldRedrawUntilIdle(ListViewUnit* unit) {
  if (unit->redrawHeld || !(GetWindowLongW(unit->hwnd, GWL_STYLE) & WS_VISIBLE)) return;
  SetRedraw(unit->hwnd, false);
  unit->redrawHeld = true;
  // A full queue would leave the list undrawn: then draw at once instead.
  if (!PostMessageW(unit->hwnd, kMsgResumeRedraw, 0, 0)) ResumeRedraw(unit);
}

void ResumeRedraw(ListViewUnit* unit) {
  if (!unit->redrawHeld) return;
  unit->redrawHeld = false;
  SetRedraw(unit->hwnd, true);
  RedrawWindow(unit->hwnd, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

ListViewUnit* ListViewFromWindow(HWND hwnd) { return LiveUnits<ListViewUnit>().Find(hwnd); }

ListViewUnit::~ListViewUnit() {
  if (images) ImageList_Destroy(images);
  if (stateImages) ImageList_Destroy(stateImages);
  if (headerImages) ImageList_Destroy(headerImages);
  if (font) DeleteObject(font);
}

ListViewUnit* AsListView(UnitObject* unit) { return LiveUnits<ListViewUnit>().As(unit); }

UnitObject* CreateListView(const UnitCreation& c) {
  auto unit = new ListViewUnit;
  if (!DecodeListViewData(c.blob, unit->data)) {
    delete unit;
    return nullptr;
  }
  unit->windowId = c.windowId;
  unit->unitId = c.unitId;
  unit->design = c.design;

  EnsureCommonControls();
  ListViewStyles styles = ComputeListViewStyles(unit->data, c.style);
  HWND hwnd = CreateWindowExW(0, WC_LISTVIEWW, L"", styles.style, c.left, c.top, c.width, c.height, c.parent,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(c.controlId)), RtInstance(), nullptr);
  if (!hwnd) {
    delete unit;
    return nullptr;
  }
  LiveUnits<ListViewUnit>().Attach(unit, hwnd, ListViewProc);
  // Notifications carry texts: UTF-16 whatever the parent asked for.
  SendMessageW(hwnd, CCM_SETUNICODEFORMAT, TRUE, 0);
  SetReflectedNotifyHandler(hwnd, &ListViewProc, &ReflectedNotify);

  SendMessageW(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, styles.exStyle);
  ApplyFont(unit);
  ApplyImageList(unit);
  ApplyStateImageList(unit);
  if (unit->reportView()) ApplyHeaderImageList(unit);
  ApplyColors(unit);
  ApplyBorderStyle(hwnd, unit->data.borderStyle);
  ApplyHotCursor(unit);
  InsertColumns(unit);
  BuildInitialItems(unit);
  ApplyCurrentItem(unit);
  return unit;
}
