// Placeholder handlers until the application's own land (this file then goes).
#include "app/handler_table.h"

extern "C" {
HandlerResult OnMainWindowCreated() { return NoValue(); }
HandlerResult OnListClicked() { return NoValue(); }
HandlerResult OnListKeyDown(uint32_t, uint32_t) { return NoValue(); }
HandlerResult OnExportClicked() { return NoValue(); }
HandlerResult OnBrowseClicked() { return NoValue(); }
}
