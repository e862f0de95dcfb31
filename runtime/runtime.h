// The runtime's entry points, the program descriptor and the library
// descriptor: everything application code and libraries call.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "runtime/value.h"

struct UnitTypeInfo;

// One linked library. Unit types are indexed by type number (TypeCode low
// 16 bits - 1); entries may be null.
struct LibraryInfo {
  const char* name;
  NotifyFn notify;  // LibNotify; may be null
  int32_t typeCount;
  const UnitTypeInfo* const* types;
};

// The descriptor block the application hands the runtime: thirteen words.
struct ProgramHeader {
  uint32_t runMode;
  uint32_t reserved;
  uint32_t idSeed;
  uintptr_t codeBase;
  const void* constStart;
  uint32_t constLength;
  const uint8_t* templateData;
  uint32_t templateLength;
  uint32_t libraryCount;
  const LibraryInfo* const* libraries;
  uint32_t dllCommandCount;
  const char* const* dllFileNames;
  const char* const* dllCommandNames;
};
#ifdef RT_TARGET_X86
static_assert(sizeof(ProgramHeader) == 13 * 4, "thirteen 32-bit words");
#endif

// An event for FireEvent (RuntimeNotify 2008): all 32-bit words.
struct EventRequest {
  uint32_t windowId;
  uint32_t unitId;  // 0 = the window's own record
  int32_t event;
  int32_t argc;
  uint32_t args[5];
  int32_t answered;  // set to 1 by the runtime when the handler returned a value
  int32_t answer;
};
static_assert(sizeof(EventRequest) == 44);

// Record for RuntimeNotify 1012 (IdleWatchList entry).
struct IdleWatch {
  HWND window;
  void (*routine)(uint32_t);
  uint32_t argument;
};
#ifdef RT_TARGET_X86
static_assert(sizeof(IdleWatch) == 12, "window handle, routine, argument");
#endif

// What the unit framework gives the runtime core. The runtime never looks
// inside windows or units; it asks through this table.
struct WindowHost {
  // Reads the whole template stream; false on any read failure.
  bool (*loadTemplates)(const uint8_t* data, uint32_t length, uintptr_t codeBase);
  void (*releaseTemplates)();
  // Creates a window instance from its template; false when unknown or failed.
  bool (*loadWindow)(uint32_t windowId, bool modal, HWND owner);
  int (*loadedWindowCount)();
  uint32_t (*loadedWindowId)(int index);
  HWND (*loadedWindowHandle)(int index);  // null when the window is not alive
  // Keyboard and mouse pre-translation of units and windows; true = consumed.
  bool (*preTranslate)(MSG* msg);
  // The unit framework's RuntimeNotify codes (1000-1011, 1014, 2000-2023,
  // 2029-2040); unknown codes answer 0.
  intptr_t (*notify)(int code, intptr_t p1, intptr_t p2);
  // Shutdown: destroy the runtime-owned interface objects (shared icons ...).
  void (*shutdown)();
};

// Runtime entries, in the order of the runtime's entry table (application
// code built with the runtime calls them directly; no table is built).
[[noreturn]] void RtReportError(int number);
uint64_t RtCallDllCommand(int number, int argc, ArgValue* args);
uint64_t RtCallLibCommand(CommandFn fn, int library, int argc, ArgValue* args);
uint64_t RtCallCoreCommand(CommandFn fn, int argc, ArgValue* args);
uint64_t RtReadProperty(uint32_t windowId, uint32_t unitId, int index, int element);
// The value's low and high words; a pointer value spans both on 64-bit.
void RtWriteProperty(uint32_t windowId, uint32_t unitId, int index, int element, uint32_t lo, uint32_t hi);
// RtAlloc, RtRealloc, RtFree: runtime/heap.h
[[noreturn]] void RtExit(int code);
void RtRunLoop();
void RtLoadWindow(uint32_t windowId);
intptr_t RtService(int number, intptr_t a = 0, intptr_t b = 0);

// RtService numbers. 0 and 1 (stepwise file search), 4 and 5 (properties of
// units held in variables) are answered with 0: no program calls them.
enum RtServiceNumber : int {
  kServiceMakeArrayWritable = 2,  // (element width, address of the array variable)
  kServiceRegisterCleanup = 3,    // (routine): run at normal shutdown, in order
  kServiceInitialize = 6,         // the runtime's own start-up
};

// The runtime's service callback for libraries.
intptr_t RuntimeNotify(int code, intptr_t p1, intptr_t p2);

// Message box titled "错误", then exit code -1 without the cleanup routines.
[[noreturn]] void FatalReport(const char* message, int code);

// Process start: stores the program folder, runs programEntry (which calls
// RtService 6 ... RtRunLoop), then shuts down. Returns the exit code.
int RtRunProgram(HINSTANCE instance, const ProgramHeader* header,
                 const WindowHost* host, int (*programEntry)());

// For in-process tests of libraries and units: what RtRunProgram and
// RtService 6 set up (instance, header, host, libraries greeted, templates
// loaded), without running a program entry and without changing the
// current directory. False when the templates fail (no report). May be
// called again: the libraries are greeted again, templates loaded earlier
// are released through the host first, the hidden owner window is kept.
// The header must outlive the test. RtRunLoop then runs the real loop; it
// ends when the last loaded window is destroyed (RtAfterWindowDestroyed).
bool RtInitializeForTests(const ProgramHeader* header, const WindowHost* host);

// Installs the unit framework (RtRunProgram does this; tests that drive
// units without a whole program install their own). Null: no windows.
void RtSetWindowHost(const WindowHost* host);
const WindowHost* RtWindowHost();

// State the unit framework shares with the runtime core.
int& EventSuppressCount();
HWND RtHiddenOwner();
HINSTANCE RtInstance();
uint32_t RtNextSerial();              // increments first, then answers
bool RtStartupComplete();
bool RtShuttingDown();
const char* RtProgramDirectory();     // without the trailing backslash
const char* RtProgramFileName();
// The help file named after the program: its folder, its file name with the
// extension "hlp" in place of its own.
std::string RtProgramHelpFile();
const LibraryInfo* RtLibrary(int number);  // null when absent
int RtLibraryCount();
// Called by the unit framework after a loaded window was finally destroyed
// and its destruction notice handled: posts WM_QUIT when none is left alive
// and start-up is complete.
void RtAfterWindowDestroyed();

// RuntimeNotify codes used across modules.
enum : int {
  kNotifyWindowTable = 1001,
  kNotifyTypeInfo = 1002,
  kNotifyIdleAdd = 1012,
  kNotifyIdleRemove = 1013,
  kNotifyDestroyed = 2000,
  kNotifyToInteger = 2001,
  kNotifyResolveUnit = 2006,
  kNotifyResolveUnitMandatory = 2007,
  kNotifyFireEvent = 2008,
  kNotifySuppressEvents = 2009,
  kNotifyResumeEvents = 2010,
  kNotifyAlloc = 2024,
  kNotifyFree = 2025,
  kNotifyRealloc = 2026,
  kNotifyFatal = 2027,
  kNotifyExit = 2028,
  kNotifyFireTypedEvent = 2031,
};
// LibNotify codes.
enum : int { kLibInit = 1, kLibShutdown = 6 };
