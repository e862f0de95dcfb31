// Memory of a process as Linux counts it, read through Wine's Z: drive:
// under Wine, GetProcessMemoryInfo misses heap growth, so the figures come
// from /proc/PID/status of the Linux process that runs the program.
#pragma once

#include <string>

struct ProcStatus {
  long long peakKb = -1;  // VmHWM: the peak resident set
  long long rssKb = -1;   // VmRSS: the resident set now
};

// The status file's figures; -1 where a field could not be read.
ProcStatus ReadProcStatus(const std::string& statusPath);
// The Linux process id of the Wine process whose command line holds
// programName and whose WINEPREFIX is this process's; 0 when none is
// found. The benchmark runs one such program at a time; of the processes
// that name it (the scripts that started it too) the largest is taken.
int FindLinuxProcess(const std::string& programName);
