// The list view's library commands. Argument 0 of each is the unit
// reference (WindowId in the low word, UnitId in the high word); item
// indices and column numbers are the control's, from 0. The commands pass
// the control's answers on and check no index themselves.
#pragma once

#include "runtime/value.h"

namespace ListView {

// 1 position (omitted or negative: append), 2 text, 3 image (below -1: -1),
// 4 check state, 5 indent (negative: 0), 6 item data -> index, -1 on failure.
CommandFunction InsertItem;
// 1 item, 2 column (default 0), 3 text (default "").
CommandFunction SetItemText;
// 1 item, 2 column (default 0) -> a new text, null when empty or missing.
CommandFunction GetItemText;
CommandFunction GetItemCount;
// Removes every row -> logical: 1 when the control did.
CommandFunction DeleteAllItems;
// 1 item: adds it to the selection (and the focus in single selection).
CommandFunction SelectItem;
// -> a new integer array of the selected items, ascending; never null.
CommandFunction GetSelectedItems;

}  // namespace ListView
