// Process start and runtime initialisation: RtRunProgram, RtService 6,
// RtInitializeForTests and RtLoadWindow.
#include <windows.h>
#include <ole2.h>

#include "runtime/gbk_boundary.h"
#include "runtime/heap.h"
#include "runtime/program_path.h"
#include "runtime/runtime_app.h"

namespace {

// SetCurrentDirectory("C:") would select the drive's remembered folder,
// not its root: a program in a drive's root needs the backslash kept.
std::string DirectoryToEnter(const std::string& directory) {
  if (directory.size() == 2 && directory[1] == ':') return directory + "\\";
  return directory;
}

void GreetLibraries(const ProgramHeader* header) {
  auto& app = RuntimeState();
  app.libraries.clear();
  app.librarySlots.clear();
  if (!header || !header->libraries) return;
  for (uint32_t i = 0; i < header->libraryCount; i++) {
    const LibraryInfo* lib = header->libraries[i];
    if (lib && lib->notify) lib->notify(kLibInit, reinterpret_cast<intptr_t>(&RuntimeNotify), 0);
  }
  // Null entries stay in the copy so that library numbers keep their place.
  app.libraries.assign(header->libraries, header->libraries + header->libraryCount);
  app.librarySlots.assign(header->libraryCount, 0);
}

}  // namespace

bool RtInitialize(bool changeDirectory) {
  auto& app = RuntimeState();
  const ProgramHeader* header = app.header;
  app.heap = GetProcessHeap();
  app.runMode = header ? header->runMode : 0;
  app.reserved = header ? header->reserved : 0;
  app.nextSerial = header ? header->idSeed + 1 : 1;
  // Start-up goes on without OLE. Only a start that succeeded is undone at
  // shutdown: a thread already in a multithreaded apartment refuses it,
  // and that COM initialisation is not the runtime's to end.
  if (!app.oleInitialised) app.oleInitialised = SUCCEEDED(OleInitialize(nullptr));

  ProgramPath split = SplitProgramPath(ModuleFileNameWide(nullptr));
  app.directory = split.directory;
  app.fileName = split.fileName;
  app.directorySlash = split.directory.empty() ? std::string() : split.directory + "\\";
  if (changeDirectory) SetCurrentDirectoryGbk(DirectoryToEnter(app.directory).c_str());

  if (!app.hiddenOwner) app.hiddenOwner = CreateHiddenOwner(RtInstance());
  app.uiThread = GetCurrentThreadId();
  if (header && header->constLength) RtSetConstArea(header->constStart, header->constLength);
  LoadDllCommandTables(header);
  GreetLibraries(header);

  if (!header || header->templateLength == 0) return true;
  const WindowHost* host = app.host;
  if (!host || !host->loadTemplates) return true;  // nothing can read them
  if (app.templatesLoaded && host->releaseTemplates) host->releaseTemplates();
  app.templatesLoaded = host->loadTemplates(header->templateData, header->templateLength,
                                            header->codeBase);
  return app.templatesLoaded;
}

int RtRunProgram(HINSTANCE instance, const ProgramHeader* header, const WindowHost* host,
                 int (*programEntry)()) {
  auto& app = RuntimeState();
  app.instance = instance;
  app.header = header;
  RtSetWindowHost(host);
  ProgramPath split = SplitProgramPath(ModuleFileNameWide(instance));
  app.directorySlash = split.directory.empty() ? std::string() : split.directory + "\\";

  if (programEntry) programEntry();
  // Instance exit: the loop has ended (or never ran); shut down with 0 and
  // hand back the WM_QUIT code as the process's exit code.
  RtShutdown(0);
  return static_cast<int>(app.quitCode);
}

bool RtInitializeForTests(const ProgramHeader* header, const WindowHost* host) {
  auto& app = RuntimeState();
  if (!app.instance) app.instance = GetModuleHandleW(nullptr);
  app.header = header;
  RtSetWindowHost(host);
  return RtInitialize(false);
}

void RtLoadWindow(uint32_t windowId) {
  const WindowHost* host = RtWindowHost();
  if (!host || !host->loadWindow || !host->loadWindow(windowId, false, nullptr))
    FatalReport("载入启动窗口失败", 0);
}
