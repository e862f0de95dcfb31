// The runtime application object and its small services.
#include "runtime/runtime_app.h"

#include <algorithm>

RuntimeApp& RuntimeState() {
  static RuntimeApp app;
  return app;
}

int& EventSuppressCount() { return RuntimeState().eventSuppressCount; }
HWND RtHiddenOwner() { return RuntimeState().hiddenOwner; }
HINSTANCE RtInstance() { return RuntimeState().instance ? RuntimeState().instance : GetModuleHandleA(nullptr); }
uint32_t RtNextSerial() { return ++RuntimeState().nextSerial; }
bool RtStartupComplete() { return RuntimeState().startupComplete; }
bool RtShuttingDown() { return RuntimeState().shuttingDown; }
const char* RtProgramDirectory() { return RuntimeState().directory.c_str(); }
const char* RtProgramFileName() { return RuntimeState().fileName.c_str(); }
int RtLibraryCount() { return static_cast<int>(RuntimeState().libraries.size()); }
const LibraryInfo* RtLibrary(int number) {
  auto& libs = RuntimeState().libraries;
  return number >= 0 && number < static_cast<int>(libs.size()) ? libs[number] : nullptr;
}
