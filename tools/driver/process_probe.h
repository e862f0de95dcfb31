// What a driven process holds, read from outside it: its handle count and
// GDI / USER objects as Windows reports them, and its resident memory as
// Linux reports it (Wine's own memory counters do not see heap growth).
#pragma once

#include <windows.h>

#include <string>

namespace driver {

struct ProcessCounters {
  DWORD handles = 0;      // GetProcessHandleCount, else counted in the system list; 0 when neither
  DWORD gdiObjects = 0;   // GetGuiResources; 0 where Wine does not count
  DWORD userObjects = 0;
  DWORD windows = 0;      // top-level and child windows, a USER count Wine can give
  long long residentKb = -1;  // VmRSS of the Linux process; -1 when not found
};

// The counters of `process`; `marker` is a text that only its command
// line holds, which finds the Linux process that runs it.
ProcessCounters CountersOf(HANDLE process, const std::string& marker);

// Open handles of the process, counted one by one in the system's handle
// list (works for other processes under Wine too); 0 when not available.
DWORD HandleCountOf(DWORD processId);

// Windows of the process, children included.
DWORD WindowCountOf(DWORD processId);

// Memory of a Linux process as /proc/PID/status gives it, in kB; -1 where
// a figure could not be read.
struct LinuxMemory {
  long long peakKb = -1;      // VmHWM
  long long residentKb = -1;  // VmRSS
};

// The Linux process id of the Wine process whose command line holds text
// (and, when this process knows its WINEPREFIX, whose environment has the
// same one); of several, the largest. 0 when none is found.
int FindLinuxProcess(const std::string& text);
LinuxMemory LinuxMemoryOf(int linuxPid);

// VmRSS in kB of the Linux process whose command line contains marker
// (read through Wine's Z: drive); -1 when there is none or /proc is not
// reachable.
long long LinuxResidentKb(const std::string& marker);

}  // namespace driver
