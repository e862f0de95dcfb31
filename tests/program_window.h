// The program's own window in-process, for layout tests: the runtime started
// on the program's template and libraries (no database library: nothing
// here opens one), the window built with events held back, since its created
// event would look for the server's database.
#pragma once

#include "app/handler_table.h"
#include "app/main_window_template.h"
#include "tests/ui_test_support.h"
#include "ui/core_library.h"
#include "ui/framework/events.h"
#include "ui/framework/host.h"
#include "ui/listview/extended_ui_library.h"

// False when the runtime or the window fails to start.
inline bool LoadProgramWindowQuietly() {
  auto bytes = MainWindowTemplate();
  if (!StartRuntime({bytes.begin(), bytes.end()}, {&CoreLibrary(), nullptr, &ExtendedUiLibrary()},
                    ProgramCodeBase()))
    return false;
  EventSuppressCount()++;
  bool loaded = UnitFrameworkHost().loadWindow(kMainWindowId, false, nullptr);
  EventSuppressCount()--;
  return loaded;
}
