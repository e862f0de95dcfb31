// The list view commands. Each resolves its unit through RuntimeNotify 2007
// (the runtime reports a unit that does not exist) and allocates results
// through RuntimeNotify 2024, whose out-of-memory report ends the program.
#include "ui/listview/listview_commands.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/arg_read.h"
#include "runtime/runtime.h"
#include "ui/listview/extended_ui_library.h"
#include "ui/listview/listview_text.h"
#include "ui/listview/listview_unit.h"

namespace {

ListViewUnit* Resolve(int argc, const ArgValue* args) {
  if (argc < 1) return nullptr;
  intptr_t object = ExtendedUiNotify(kNotifyResolveUnitMandatory, static_cast<intptr_t>(args[0].v.w.lo),
                                     static_cast<intptr_t>(args[0].v.w.hi));
  return AsListView(reinterpret_cast<UnitObject*>(object));
}

void* Allocate(size_t bytes) {
  return reinterpret_cast<void*>(ExtendedUiNotify(kNotifyAlloc, static_cast<intptr_t>(bytes), 0));
}

void SetInt(ArgValue* result, int32_t value) {
  result->v.i64 = 0;
  result->v.i32 = value;
  result->type = kTypeInt;
}

}  // namespace

namespace ListView {

void InsertItem(ArgValue* result, int argc, ArgValue* args) {
  ListViewUnit* unit = Resolve(argc, args);
  if (!unit) return;
  HoldRedrawUntilIdle(unit);
  int32_t position = ArgAsIntOr(argc, args, 1, -1);
  if (position < 0) position = static_cast<int32_t>(SendMessageW(unit->hwnd, LVM_GETITEMCOUNT, 0, 0));
  LVITEMW it{};
  it.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT;
  it.iItem = position;
  it.iSubItem = 0;
  it.iImage = std::max(ArgAsIntOr(argc, args, 3, -1), -1);
  // The state image goes in with a zero mask; the control decides what
  // becomes of it. Counted in 64 bits, so the largest integer plus one
  // cannot overflow.
  if (ArgGiven(argc, args, 4))
    it.state = static_cast<UINT>(std::max<int64_t>(int64_t{ArgAsIntOr(argc, args, 4, 0)} + 1, 0)) << 12;
  it.iIndent = std::max(ArgAsIntOr(argc, args, 5, 0), 0);
  it.lParam = ArgAsIntOr(argc, args, 6, 0);
  SetInt(result, ListViewInsertItemGbk(unit->hwnd, it, ArgAsText(argc, args, 2)));
}

void SetItemText(ArgValue* result, int argc, ArgValue* args) {
  ListViewUnit* unit = Resolve(argc, args);
  if (!unit) return;
  HoldRedrawUntilIdle(unit);
  ListViewSetItemTextGbk(unit->hwnd, ArgAsIntOr(argc, args, 1, 0), ArgAsIntOr(argc, args, 2, 0),
                         ArgAsText(argc, args, 3));
}

void GetItemText(ArgValue* result, int argc, ArgValue* args) {
  ListViewUnit* unit = Resolve(argc, args);
  if (!unit) return;
  std::string text = ListViewItemTextGbk(unit->hwnd, ArgAsIntOr(argc, args, 1, 0), ArgAsIntOr(argc, args, 2, 0));
  result->type = kTypeText;
  if (text.empty()) return;
  auto copy = static_cast<char*>(Allocate(text.size() + 1));
  if (!copy) return;
  memcpy(copy, text.c_str(), text.size() + 1);
  result->v.text = copy;
}

void GetItemCount(ArgValue* result, int argc, ArgValue* args) {
  ListViewUnit* unit = Resolve(argc, args);
  if (!unit) return;
  SetInt(result, static_cast<int32_t>(SendMessageW(unit->hwnd, LVM_GETITEMCOUNT, 0, 0)));
}

void DeleteAllItems(ArgValue* result, int argc, ArgValue* args) {
  ListViewUnit* unit = Resolve(argc, args);
  if (!unit) return;
  HoldRedrawUntilIdle(unit);
  SetInt(result, SendMessageW(unit->hwnd, LVM_DELETEALLITEMS, 0, 0) ? 1 : 0);
  result->type = kTypeBool;
}

// Other items keep their selection: repeated calls add to it in multiple
// selection, and the focus stays where it was.
void SelectItem(ArgValue* result, int argc, ArgValue* args) {
  ListViewUnit* unit = Resolve(argc, args);
  if (!unit) return;
  int32_t item = ArgAsIntOr(argc, args, 1, 0);
  if (item < 0) return;
  HoldRedrawUntilIdle(unit);
  LVITEMW it{};
  it.state = LVIS_SELECTED | (unit->data.singleSelection ? LVIS_FOCUSED : 0);
  it.stateMask = it.state;
  SendMessageW(unit->hwnd, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&it));
}

void GetSelectedItems(ArgValue* result, int argc, ArgValue* args) {
  ListViewUnit* unit = Resolve(argc, args);
  if (!unit) return;
  std::vector<int32_t> selected;
  // LVNI_SELECTED searches after the start index, so the list is ascending;
  // a control answering backwards would loop, hence the progress check.
  for (int i = -1;;) {
    int next = static_cast<int>(SendMessageW(unit->hwnd, LVM_GETNEXTITEM, i, LVNI_SELECTED));
    if (next < 0 || next <= i) break;
    selected.push_back(next);
    i = next;
  }
  size_t count = selected.size();
  auto array = static_cast<RtArray*>(Allocate(8 + 4 * count));
  if (!array) return;
  array->dims = 1;
  array->sizes[0] = static_cast<int32_t>(count);
  if (count) memcpy(reinterpret_cast<uint8_t*>(array) + 8, selected.data(), 4 * count);
  result->v.ptr = array;
  result->type = kTypeInt | kTypeArrayFlag;
}

}  // namespace ListView
