// The list view's notifications, reflected back from the parent window,
// turned into unit events.
//
// A handler may destroy the window, and the unit with it. Every step that
// follows an event therefore checks first that the control and its object
// still exist.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "runtime/gbk_boundary.h"
#include "runtime/runtime.h"
#include "ui/framework/reflect.h"
#include "ui/listview/extended_ui_library.h"
#include "ui/listview/listview_text.h"
#include "ui/listview/listview_unit.h"

namespace {

bool Alive(HWND hwnd, const ListViewUnit* unit) { return ListViewFromWindow(hwnd) == unit; }

void Fire(const ListViewUnit* unit, int event) { FireListViewEvent(unit, event, 0, nullptr, nullptr); }
void Fire(const ListViewUnit* unit, int event, int arg) {
  uint32_t a = static_cast<uint32_t>(arg);
  FireListViewEvent(unit, event, 1, &a, nullptr);
}

// The handler's answer, or `fallback` when it returned none.
int32_t FireForAnswer(const ListViewUnit* unit, int event, int arg, int32_t fallback) {
  uint32_t a = static_cast<uint32_t>(arg);
  int32_t answer = fallback;
  FireListViewEvent(unit, event, 1, &a, &answer);
  return answer;
}

// After a click of either button or a double click: when the point is
// exactly on the state icon of the item the notification names, the check
// box may have toggled. The control toggles it itself, so the state is read
// from a posted message, once the control is done.
void CheckBoxTest(HWND hwnd, int item, POINT at) {
  if (item < 0) return;
  LVHITTESTINFO ht{};
  ht.pt = at;
  SendMessageW(hwnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&ht));
  if (ht.flags == LVHT_ONITEMSTATEICON && ht.iItem == item) PostMessageW(hwnd, kMsgCheckBoxChanged, item, 0);
}

// Clicks are handled once the control is done with them: see kMsgClicked.
void PostClick(HWND hwnd, UINT msg, const NMHDR* h) {
  auto nm = reinterpret_cast<const NMITEMACTIVATE*>(h);
  PostMessageW(hwnd, msg, static_cast<WPARAM>(nm->iItem), MAKELPARAM(nm->ptAction.x, nm->ptAction.y));
}

// The tip of the n-th item of the initial item list.
bool InitialItemTip(const ListViewUnit* unit, int n, std::string* tip) {
  if (n < 0) return false;
  for (const ListViewItemEntry& e : DecodeItemList(unit->data.items)) {
    if (e.kind != 0) continue;
    if (n-- == 0) {
      *tip = e.tip;
      return true;
    }
  }
  return false;
}

// The list speaks UTF-16 to its parent (see CreateListView), so the tip
// buffer is a wide one.
void OnGetInfoTip(const ListViewUnit* unit, NMHDR* h) {
  std::string tip;
  auto nm = reinterpret_cast<NMLVGETINFOTIPW*>(h);
  if (!nm->pszText || nm->cchTextMax <= 0 || !InitialItemTip(unit, nm->iItem, &tip)) return;
  CopyGbkAsWide(tip, nm->pszText, static_cast<size_t>(nm->cchTextMax));
}

// Answer TRUE to cancel the edit: the handler returned false.
LRESULT OnBeginLabelEdit(const ListViewUnit* unit, int item) {
  if (item < 0) return FALSE;
  return FireForAnswer(unit, kLvEventBeginEdit, item, 1) == 0 ? TRUE : FALSE;
}

// Answer FALSE to reject the new text. A null text means the user cancelled;
// the handler then sees the item's current text.
LRESULT OnEndLabelEdit(ListViewUnit* unit, int item, bool cancelled, std::string text) {
  if (item < 0) return FALSE;
  HWND hwnd = unit->hwnd;
  unit->editedText = cancelled ? ListViewItemTextGbk(hwnd, item, 0) : std::move(text);
  int32_t answer = FireForAnswer(unit, kLvEventEndEdit, item, 1);
  if (Alive(hwnd, unit)) unit->editedText.clear();
  return answer == 0 ? FALSE : TRUE;
}

}  // namespace

bool FireListViewEvent(const ListViewUnit* unit, int event, int argc, const uint32_t* args,
                       int32_t* answer) {
  EventRequest request{};
  request.windowId = unit->windowId;
  request.unitId = unit->unitId;
  request.event = event;
  request.argc = argc;
  for (int i = 0; i < argc && i < 5; i++) request.args[i] = args[i];
  bool ran = ExtendedUiNotify(kNotifyFireEvent, reinterpret_cast<intptr_t>(&request), 0) != 0;
  if (answer && request.answered) *answer = request.answer;
  return ran;
}

void OnListViewClickSettled(ListViewUnit* unit, UINT msg, int item, POINT at) {
  HWND hwnd = unit->hwnd;
  if (msg == kMsgClicked) Fire(unit, kLvEventClick);
  if (msg == kMsgRightClicked) Fire(unit, kLvEventRightClick);
  if (Alive(hwnd, unit)) CheckBoxTest(hwnd, item, at);
}

LRESULT OnListViewNotify(ListViewUnit* unit, NMHDR* h) {
  HWND hwnd = unit->hwnd;
  switch (NotifyHeaderOf(h).code) {
    case LVN_ITEMCHANGED: {
      auto nm = reinterpret_cast<NMLISTVIEW*>(h);
      if ((nm->uNewState & LVIS_FOCUSED) && !(nm->uOldState & LVIS_FOCUSED))
        Fire(unit, kLvEventCurrentChanged);
      return 0;
    }
    // No event follows the deletion of an item: TRUE spares the parent one
    // LVN_DELETEITEM per row when the list is emptied or destroyed.
    case LVN_DELETEALLITEMS: return TRUE;
    case LVN_ITEMACTIVATE: Fire(unit, kLvEventActivated); return 0;
    case LVN_COLUMNCLICK: Fire(unit, kLvEventColumnClick, reinterpret_cast<NMLISTVIEW*>(h)->iSubItem); return 0;
    case LVN_HOTTRACK: Fire(unit, kLvEventHotItem, reinterpret_cast<NMLISTVIEW*>(h)->iItem); return 0;
    case NM_CLICK: PostClick(hwnd, kMsgClicked, h); return 0;
    case NM_RCLICK: PostClick(hwnd, kMsgRightClicked, h); return 0;
    case NM_DBLCLK: PostClick(hwnd, kMsgDoubleClicked, h); return 0;
    case NM_SETFOCUS: Fire(unit, kEventGotFocus); return 0;
    case NM_KILLFOCUS: Fire(unit, kEventLostFocus); return 0;
    case LVN_BEGINLABELEDITW: return OnBeginLabelEdit(unit, reinterpret_cast<NMLVDISPINFOW*>(h)->item.iItem);
    case LVN_ENDLABELEDITW: {
      const LVITEMW& it = reinterpret_cast<NMLVDISPINFOW*>(h)->item;
      return OnEndLabelEdit(unit, it.iItem, !it.pszText, GbkFromWide(it.pszText));
    }
    case LVN_GETINFOTIPW:
      OnGetInfoTip(unit, h);
      return 0;
    default:
      return 0;
  }
}
