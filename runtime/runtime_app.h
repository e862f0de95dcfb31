// The runtime's application object: the state that start-up, the loop and
// shutdown share. One per process, used on the user-interface thread only
// (the cross-thread shutdown request reads uiThread, hiddenOwner and
// shuttingDown, nothing else).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "runtime/runtime.h"

// One declared DLL command: resolved on its first call, kept afterwards.
struct DllCommand {
  std::string fileName;     // empty: search the system libraries
  std::string commandName;  // exported name, or "#" + decimal ordinal
  HMODULE module = nullptr;
  FARPROC address = nullptr;
};

struct RuntimeApp {
  RuntimeApp() = default;
  RuntimeApp(const RuntimeApp&) = delete;
  RuntimeApp& operator=(const RuntimeApp&) = delete;

  HANDLE heap = nullptr;
  HINSTANCE instance = nullptr;
  const ProgramHeader* header = nullptr;
  const WindowHost* host = nullptr;
  std::string directory;       // without the trailing backslash
  std::string fileName;
  std::string directorySlash;  // with the trailing backslash
  uint32_t runMode = 0;
  uint32_t reserved = 0;
  uint32_t nextSerial = 0;
  bool oleInitialised = false;
  bool socketsStarted = false;  // nothing in this program starts them
  HWND hiddenOwner = nullptr;
  volatile DWORD uiThread = 0;
  std::vector<DllCommand> dllCommands;
  std::vector<const LibraryInfo*> libraries;
  std::vector<uint32_t> librarySlots;
  bool templatesLoaded = false;
  std::vector<void (*)()> cleanup;  // registration order, no duplicates
  std::vector<IdleWatch> idleWatch;
  int eventSuppressCount = 0;
  bool startupComplete = false;
  volatile bool shuttingDown = false;
  WPARAM quitCode = 0;  // wParam of the WM_QUIT that ended the loop
};

RuntimeApp& RuntimeState();

// The report's text, as shown in the box.
std::string FatalReportText(const char* message, int code);

// Runtime initialisation (RtService 6). changeDirectory is false for
// RtInitializeForTests. False when the templates could not be read; the
// caller decides whether that is fatal.
bool RtInitialize(bool changeDirectory);
// Creates the hidden owner window (class "_VX_HideOwner") once.
HWND CreateHiddenOwner(HINSTANCE instance);
// Shutdown in its fixed order. Answers false when it did nothing because
// the caller is not the user-interface thread (the request was forwarded).
bool RtShutdown(int code);
// Frees the modules loaded for DLL commands and forgets the tables.
void ReleaseDllCommands();
// Sizes the DLL-command tables from the program header.
void LoadDllCommandTables(const ProgramHeader* header);
// Sent by some frameworks to wake the idle loop; the loop neither
// pre-translates nor dispatches it.
inline constexpr UINT kKickIdle = 0x036A;
// The system's caret-blink timer: like a paint, it does not restart idle
// processing.
inline constexpr UINT kSysTimer = 0x0118;

// IdleWatchList requests (RuntimeNotify 1012 and 1013).
intptr_t AddIdleWatch(const IdleWatch* entry);
intptr_t RemoveIdleWatch(HWND window);
// One walk of IdleWatchList, last entry first; dead windows are dropped.
void RunIdleWatchList();
// Idle processing with the idle counter n; true = wants more idle time.
bool RunIdleProcessing(int n);

// Private message to the hidden owner window: RtExit(wParam). The unit
// framework knows it as kMsgHiddenOwnerExit.
inline constexpr UINT kHiddenOwnerExitMessage = 0x83E7;
// True when at least one loaded window still has a live window.
bool AnyLoadedWindowAlive();
