// The "选中:" count: refreshed only at a left click on the list and at
// Ctrl+A, which first selects every row.
#include "app/selection.h"

#include "app/globals.h"
#include "app/handler_table.h"
#include "app/runtime_calls.h"
#include "ui/listview/listview_commands.h"

namespace {
constexpr uint32_t kCtrlOnly = 1;
constexpr uint32_t kKeyA = 0x41;
}  // namespace

void UpdateSelectedCount() {
  Assign(SelectedRows, AsArray(CallMachineList(ListView::GetSelectedItems)));
  WriteCountCaption(kSelectedLabelId, "选中:", RtArrayCountOrNull(SelectedRows));
}

HandlerResult OnListKeyDown(uint32_t keyCode, uint32_t modifiers) {
  if (modifiers == kCtrlOnly && keyCode == kKeyA) {
    int32_t n = AsInt(CallMachineList(ListView::GetItemCount));
    for (int32_t k = 0; k < n; k++) CallMachineList(ListView::SelectItem, {IntArg(k)});
    UpdateSelectedCount();
  }
  return NoValue();
}

HandlerResult OnListClicked() {
  UpdateSelectedCount();
  return NoValue();
}
