// What the small programs that the end-to-end tests start share: their
// command line "PROGRAM SCENARIO LOGFILE", their start on the runtime, and
// the log to which each step appends one line, so that the driver sees
// which steps ran and in what order.
#pragma once

#include <windows.h>

#include <string>

#include "runtime/runtime.h"

// False when the command line lacks the scenario or the log file.
inline bool ReadScenarioArgs(std::string* scenario, std::string* log) {
  if (__argc < 3) return false;
  *scenario = __argv[1];
  *log = __argv[2];
  return true;
}

// A scenario program's WinMain: the command line into scenario and log
// (exit code 2 without them), then prepare() for what the run needs before
// the runtime starts (it answers the program's header), then the program.
inline int RunScenarioProgram(HINSTANCE instance, std::string* scenario, std::string* log, const WindowHost* host,
                              int (*entry)(), const ProgramHeader* (*prepare)()) {
  if (!ReadScenarioArgs(scenario, log)) return 2;
  const ProgramHeader* header = prepare();
  return RtRunProgram(instance, header, host, entry);
}

// The file is opened for each line: a step that ends the process at once
// (a fatal report, an exit) keeps every line before it.
inline void AppendLogLine(const std::string& log, std::string line) {
  line += "\n";
  HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}
