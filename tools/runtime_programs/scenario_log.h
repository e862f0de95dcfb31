// What the small programs that the end-to-end tests start share: their
// command line "PROGRAM SCENARIO LOGFILE", and the log to which each step
// appends one line, so that the driver sees which steps ran and in what
// order.
#pragma once

#include <windows.h>

#include <string>

// False when the command line lacks the scenario or the log file.
inline bool ReadScenarioArgs(std::string* scenario, std::string* log) {
  if (__argc < 3) return false;
  *scenario = __argv[1];
  *log = __argv[2];
  return true;
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
