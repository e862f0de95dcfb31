// The runtime's application object: the state that start-up, the loop and
// shutdown share. One per process, used on the user-interface thread only.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "runtime/runtime.h"

struct RuntimeApp {
  HANDLE heap = nullptr;
  HINSTANCE instance = nullptr;
  std::string directory;       // without the trailing backslash
  std::string fileName;
  std::string directorySlash;  // with the trailing backslash
  uint32_t runMode = 0;
  uint32_t reserved = 0;
  uint32_t nextSerial = 0;
  bool oleInitialised = false;
  HWND hiddenOwner = nullptr;
  DWORD uiThread = 0;
  std::vector<const LibraryInfo*> libraries;
  std::vector<uint32_t> librarySlots;
  std::vector<void (*)()> cleanup;  // registration order, no duplicates
  std::vector<IdleWatch> idleWatch;
  int eventSuppressCount = 0;
  bool startupComplete = false;
  bool shuttingDown = false;
  const ProgramHeader* header = nullptr;
};

RuntimeApp& RuntimeState();

// The report's text, as shown in the box.
std::string FatalReportText(const char* message, int code);
