// The runtime application object and the small accessors that the unit
// framework and the libraries read.
#include "runtime/runtime_app.h"

// Built on first use (static initialisation of another module may already
// ask for it); destroyed by the C runtime's exit processing after a normal
// end. RtExit and fatal reports end the process before that.
RuntimeApp& RuntimeState() {
  static RuntimeApp app;
  return app;
}

void RtSetWindowHost(const WindowHost* host) { RuntimeState().host = host; }
const WindowHost* RtWindowHost() { return RuntimeState().host; }

int& EventSuppressCount() { return RuntimeState().eventSuppressCount; }
HWND RtHiddenOwner() { return RuntimeState().hiddenOwner; }
HINSTANCE RtInstance() { return RuntimeState().instance ? RuntimeState().instance : GetModuleHandleW(nullptr); }
uint32_t RtNextSerial() { return ++RuntimeState().nextSerial; }
bool RtStartupComplete() { return RuntimeState().startupComplete; }
bool RtShuttingDown() { return RuntimeState().shuttingDown; }
const char* RtProgramDirectory() { return RuntimeState().directory.c_str(); }
const char* RtProgramFileName() { return RuntimeState().fileName.c_str(); }
std::string RtProgramHelpFile() {
  const auto& app = RuntimeState();
  std::string name = app.fileName;
  size_t dot = name.rfind('.');  // never a trail byte: those are 0x40 and above
  if (dot != std::string::npos) name.erase(dot);
  return (app.directory.empty() ? "" : app.directory + "\\") + name + ".hlp";
}
int RtLibraryCount() { return static_cast<int>(RuntimeState().libraries.size()); }
const LibraryInfo* RtLibrary(int number) {
  auto& libs = RuntimeState().libraries;
  return number >= 0 && number < static_cast<int>(libs.size()) ? libs[number] : nullptr;
}
