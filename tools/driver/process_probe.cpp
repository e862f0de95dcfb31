// Linux's /proc is reached through Wine's Z: drive, which maps the root of
// the Linux file system. Wine shows a process's Windows command line as its
// Linux one, so a marker argument picks out one program among many.
#include "tools/driver/process_probe.h"

#include <cstdlib>
#include <cstring>

#include "tools/driver/driver.h"

namespace driver {

namespace {

bool IsNumber(const char* s) {
  if (!*s) return false;
  for (; *s; s++)
    if (*s < '0' || *s > '9') return false;
  return true;
}

// /proc/<pid>/cmdline holds the arguments NUL-separated.
bool CommandLineHolds(const std::string& procFolder, const std::string& marker) {
  std::string line = ReadFileBytes(procFolder + "cmdline");
  for (char& c : line)
    if (c == 0) c = ' ';
  return line.find(marker) != std::string::npos;
}

long long StatusField(const std::string& status, const char* field) {
  size_t at = status.find(field);
  if (at == std::string::npos) return -1;
  return atoll(status.c_str() + at + strlen(field));
}

}  // namespace

long long LinuxResidentKb(const std::string& marker) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA("Z:\\proc\\*", &entry);
  if (find == INVALID_HANDLE_VALUE) return -1;
  long long kb = -1;
  do {
    if (!IsNumber(entry.cFileName)) continue;
    std::string folder = std::string("Z:\\proc\\") + entry.cFileName + "\\";
    if (!CommandLineHolds(folder, marker)) continue;
    kb = StatusField(ReadFileBytes(folder + "status"), "VmRSS:");
    break;
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return kb;
}

ProcessCounters CountersOf(HANDLE process, const std::string& marker) {
  ProcessCounters c;
  GetProcessHandleCount(process, &c.handles);
  c.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  c.userObjects = GetGuiResources(process, GR_USEROBJECTS);
  c.residentKb = LinuxResidentKb(marker);
  return c;
}

}  // namespace driver
