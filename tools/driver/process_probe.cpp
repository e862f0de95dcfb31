// Linux's /proc is reached through Wine's Z: drive, which maps the root of
// the Linux file system. Wine shows a process's Windows command line as its
// Linux one, so a marker argument picks out one program among many.
#include "tools/driver/process_probe.h"

#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <vector>

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

// Every open handle of every process (SystemHandleInformation). Wine
// answers GetProcessHandleCount for other processes with nothing, and the
// HandleCount of its process list is the size of the handle table, which
// grows in steps of 64 or more; this list counts the handles themselves.
struct SystemHandleEntry {
  ULONG processId;
  BYTE objectType;
  BYTE flags;
  USHORT handle;
  PVOID object;
  ACCESS_MASK access;
};
struct SystemHandleList {
  ULONG count;
  SystemHandleEntry entries[1];
};

BOOL CALLBACK CountWindow(HWND window, LPARAM param) {
  auto* q = reinterpret_cast<std::pair<DWORD, DWORD>*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != q->first) return TRUE;
  q->second++;
  EnumChildWindows(window, CountWindow, param);
  return TRUE;
}

}  // namespace

DWORD HandleCountOf(DWORD processId) {
  constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
  std::vector<uint8_t> buffer(1 << 16);
  ULONG needed = 0;
  NTSTATUS status;
  while ((status = NtQuerySystemInformation(kSystemHandleInformation, buffer.data(),
                                            static_cast<ULONG>(buffer.size()), &needed)) ==
         static_cast<NTSTATUS>(0xC0000004L))  // STATUS_INFO_LENGTH_MISMATCH
    buffer.resize(buffer.size() * 2);
  if (status < 0) return 0;
  ULONG count;
  memcpy(&count, buffer.data(), sizeof count);
  const size_t first = offsetof(SystemHandleList, entries);
  count = static_cast<ULONG>(std::min<size_t>(count, (buffer.size() - first) / sizeof(SystemHandleEntry)));
  auto* entries = reinterpret_cast<const SystemHandleEntry*>(buffer.data() + first);
  DWORD mine = 0;
  for (ULONG i = 0; i < count; i++)
    if (entries[i].processId == processId) mine++;
  return mine;
}

DWORD WindowCountOf(DWORD processId) {
  std::pair<DWORD, DWORD> query{processId, 0};
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&query));
  return query.second;
}

int FindLinuxProcess(const std::string& text) {
  // Linux keeps command lines and environments in UTF-8.
  const std::string marker = Utf8(Wide(text));
  wchar_t prefix[MAX_PATH] = {};
  GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH);
  const std::string ownPrefix = prefix[0] ? "WINEPREFIX=" + Utf8(prefix) + '\0' : std::string();
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA("Z:\\proc\\*", &entry);
  if (find == INVALID_HANDLE_VALUE) return 0;
  // The scripts that started a program name it too; the Wine process that
  // runs it is by far the largest of them.
  int found = 0;
  long long largest = -1;
  do {
    if (!IsNumber(entry.cFileName)) continue;
    std::string folder = std::string("Z:\\proc\\") + entry.cFileName + "\\";
    if (!CommandLineHolds(folder, marker)) continue;
    if (!ownPrefix.empty() && ReadFileBytes(folder + "environ").find(ownPrefix) == std::string::npos) continue;
    long long kb = StatusField(ReadFileBytes(folder + "status"), "VmRSS:");
    if (kb > largest) {
      largest = kb;
      found = atoi(entry.cFileName);
    }
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return found;
}

LinuxMemory LinuxMemoryOf(int linuxPid) {
  if (linuxPid <= 0) return {};
  std::string status = ReadFileBytes("Z:\\proc\\" + std::to_string(linuxPid) + "\\status");
  return {StatusField(status, "VmHWM:"), StatusField(status, "VmRSS:")};
}

long long LinuxResidentKb(const std::string& marker) { return LinuxMemoryOf(FindLinuxProcess(marker)).residentKb; }

ProcessCounters CountersOf(HANDLE process, const std::string& marker) {
  ProcessCounters c;
  GetProcessHandleCount(process, &c.handles);
  if (c.handles == 0) c.handles = HandleCountOf(GetProcessId(process));
  c.windows = WindowCountOf(GetProcessId(process));
  c.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  c.userObjects = GetGuiResources(process, GR_USEROBJECTS);
  c.residentKb = LinuxResidentKb(marker);
  return c;
}

}  // namespace driver
