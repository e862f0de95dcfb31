// The "选中:" count of selected rows.
#pragma once

// SelectedRows = the list's selected rows; the caption shows their number.
void UpdateSelectedCount();
