// The "选中:" count: refreshed only at a left click on the list and at
// Ctrl+A, which first selects every row.
#include "app/selection.h"

#include "app/handler_table.h"

#include "app/globals.h"
#include "app/runtime_calls.h"
#include "commands/core_commands.h"
#include "ui/listview/listview_commands.h"

namespace {
constexpr uint32_t kCtrlOnly = 1;
constexpr uint32_t kKeyA = 0x41;
}  // namespace

void UpdateSelectedCount() {
  Assign(SelectedRows, AsArray(CallLib(ListView::GetSelectedItems, kExtendedUiLibrary,
                                       {UnitArg(kMachineListId, kTypeListView)})));
  char* number = AsText(CallCore(ValueToText, {IntArg(RtArrayCountOrNull(SelectedRows))}));
  char* caption = RtConcat({"选中:", number});
  WriteTextProperty(kSelectedLabelId, kPropLabelCaption, caption);
  RtFree(caption);
  RtFree(number);
}

HandlerResult OnListKeyDown(uint32_t keyCode, uint32_t modifiers) {
  if (modifiers == kCtrlOnly && keyCode == kKeyA) {
    ArgValue list = UnitArg(kMachineListId, kTypeListView);
    int32_t n = AsInt(CallLib(ListView::GetItemCount, kExtendedUiLibrary, {list}));
    for (int32_t k = 0; k < n; k++) CallLib(ListView::SelectItem, kExtendedUiLibrary, {list, IntArg(k)});
    UpdateSelectedCount();
  }
  return NoValue();
}

HandlerResult OnListClicked() {
  UpdateSelectedCount();
  return NoValue();
}
