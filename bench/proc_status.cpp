// Reading /proc from inside Wine; see proc_status.h.
#include "bench/proc_status.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

// /proc files report no size, so they are read until the end.
std::string ReadWhole(const std::string& path) {
  std::string data;
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return data;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) data.append(buffer, got);
  CloseHandle(f);
  return data;
}

long long Field(const std::string& status, const char* name) {
  size_t at = status.find(name);
  return at == std::string::npos ? -1 : atoll(status.c_str() + at + strlen(name));
}

bool Holds(const std::string& nulSeparated, const std::string& part) {
  return nulSeparated.find(part) != std::string::npos;
}

}  // namespace

ProcStatus ReadProcStatus(const std::string& statusPath) {
  std::string status = ReadWhole(statusPath);
  return {Field(status, "VmHWM:"), Field(status, "VmRSS:")};
}

int FindLinuxProcess(const std::string& programName) {
  char prefix[MAX_PATH] = {};
  GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
  const std::string ownPrefix = prefix[0] ? std::string("WINEPREFIX=") + prefix + '\0' : std::string();
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA("Z:\\proc\\*", &entry);
  if (find == INVALID_HANDLE_VALUE) return 0;
  // The scripts that started the program name it too; the Wine process is
  // by far the largest of them.
  int found = 0;
  long long largest = -1;
  do {
    int pid = atoi(entry.cFileName);
    if (pid <= 0) continue;
    std::string dir = std::string("Z:\\proc\\") + entry.cFileName;
    if (!Holds(ReadWhole(dir + "\\cmdline"), programName)) continue;
    if (!ownPrefix.empty() && !Holds(ReadWhole(dir + "\\environ"), ownPrefix)) continue;
    long long rss = ReadProcStatus(dir + "\\status").rssKb;
    if (rss > largest) {
      largest = rss;
      found = pid;
    }
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return found;
}
