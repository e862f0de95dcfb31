// The program's descriptor and its entry routine: runtime, variables, the
// start window, then the message loop until the window is gone.
#include "app/program.h"

#include "app/globals.h"
#include "app/handler_table.h"
#include "app/main_window_template.h"
#include "db/db_library.h"
#include "runtime/runtime.h"
#include "ui/core_library.h"
#include "ui/listview/extended_ui_library.h"

namespace {

// The literal data the variables start from: the empty one-dimensional
// array header that array variables copy.
const RtArray kConstArea = {1, {0}};

}  // namespace

const ProgramHeader& ProgramDescriptor() {
  // Library numbers: 0 core, 1 database, 2 extended interface; the fourth
  // linked library has no part in this program.
  static const LibraryInfo* const libraries[] = {&CoreLibrary(), &DatabaseLibrary(), &ExtendedUiLibrary(), nullptr};
  static const ProgramHeader header = {
      3,      // RunMode
      0,      // reserved
      90722,  // identifier seed
      ProgramCodeBase(),
      &kConstArea, sizeof kConstArea,
      MainWindowTemplate().data(), static_cast<uint32_t>(MainWindowTemplate().size()),
      4, libraries,
      0, nullptr, nullptr,  // DLL commands
  };
  return header;
}

const RtArray* EmptyArrayTemplate() { return &kConstArea; }

int StartupRoutine() { return 0; }

int ProgramEntry() {
  RtService(kServiceInitialize);
  InitGlobals();
  RtService(kServiceRegisterCleanup, reinterpret_cast<intptr_t>(&ReleaseGlobals));
  StartupRoutine();
  RtLoadWindow(kMainWindowId);
  RtRunLoop();
  return 0;
}
