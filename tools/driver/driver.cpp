// The test driver: process control and window lookup across processes.
#include "tools/driver/driver.h"

#include <cstring>
#include <vector>

namespace driver {

namespace {

constexpr DWORD kPollMs = 20;
// Message boxes keep their text in a static control with this id.
constexpr int kMessageBoxTextId = 0xFFFF;

struct WindowQuery {
  DWORD processId;
  const char* className;
  const char* title;
  bool hiddenToo;
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM param) {
  auto* q = reinterpret_cast<WindowQuery*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != q->processId || (!q->hiddenToo && !IsWindowVisible(window))) return TRUE;
  if (q->className && ClassName(window) != q->className) return TRUE;
  if (q->title && WindowText(window) != q->title) return TRUE;
  q->found = window;
  return FALSE;
}

BOOL CALLBACK CollectStatics(HWND child, LPARAM param) {
  auto* texts = reinterpret_cast<std::vector<std::string>*>(param);
  if (_stricmp(ClassName(child).c_str(), "Static") == 0) {
    std::string text = WindowText(child);
    if (!text.empty()) texts->push_back(text);
  }
  return TRUE;
}

}  // namespace

std::string ExeFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = strrchr(path, '\\');
  if (slash) slash[1] = 0;
  return path;
}

std::string ProgramInTree(const char* fileName) {
  return ExeFolder() + "..\\bin\\" + fileName;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFileBytes(const std::string& path) {
  std::string bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

FileSnapshot SnapshotOf(const std::string& path) {
  FileSnapshot snapshot;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return snapshot;
  snapshot.exists = true;
  snapshot.bytes = ReadFileBytes(path);
  snapshot.lastWrite = static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                       data.ftLastWriteTime.dwLowDateTime;
  return snapshot;
}

std::string WindowText(HWND window) {
  int n = GetWindowTextLengthA(window);
  if (n <= 0) return std::string();
  std::string text(static_cast<size_t>(n) + 1, '\0');
  n = GetWindowTextA(window, text.data(), n + 1);
  text.resize(n > 0 ? n : 0);
  return text;
}

std::string ClassName(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

DrivenProcess::~DrivenProcess() {
  Kill();
  if (info_.hThread) CloseHandle(info_.hThread);
  if (info_.hProcess) CloseHandle(info_.hProcess);
}

bool DrivenProcess::Start(const std::string& exePath, const std::string& args) {
  if (info_.hProcess) return false;  // one process per object
  std::string commandLine = "\"" + exePath + "\"";
  if (!args.empty()) commandLine += " " + args;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  return CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_) != FALSE;
}

HWND FindTopLevelWindow(DWORD processId, const char* className, const char* title, bool hiddenToo) {
  WindowQuery q{processId, className, title, hiddenToo, nullptr};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&q));
  return q.found;
}

HWND DrivenProcess::WaitForWindow(const char* className, const char* title,
                                  DWORD timeoutMs) const {
  if (!info_.hProcess) return nullptr;
  DWORD start = GetTickCount();
  for (;;) {
    if (HWND found = FindTopLevelWindow(info_.dwProcessId, className, title)) return found;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    // A process that has ended will show nothing more.
    if (WaitForSingleObject(info_.hProcess, kPollMs) == WAIT_OBJECT_0) return nullptr;
  }
}

bool DrivenProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (!info_.hProcess) return false;
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    Kill();
    return false;
  }
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  if (exitCode) *exitCode = code;
  return true;
}

void DrivenProcess::Kill() {
  if (!info_.hProcess) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 0xDEAD);
    WaitForSingleObject(info_.hProcess, 5000);
  }
}

MessageBoxContent ReadMessageBox(HWND box) {
  MessageBoxContent content;
  content.title = WindowText(box);
  HWND text = GetDlgItem(box, kMessageBoxTextId);
  if (text) {
    content.text = WindowText(text);
  } else {
    std::vector<std::string> texts;
    EnumChildWindows(box, CollectStatics, reinterpret_cast<LPARAM>(&texts));
    if (!texts.empty()) content.text = texts.front();
  }
  return content;
}

bool PressButton(HWND box, int buttonId) {
  HWND button = GetDlgItem(box, buttonId);
  if (!button) return false;
  // What a click sends; needs no focus or foreground window.
  return PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                      reinterpret_cast<LPARAM>(button)) != FALSE;
}

ScenarioRun::ScenarioRun(const char* program, const char* scenario) {
  std::string stem = program;
  stem = stem.substr(0, stem.rfind('.'));
  log_ = ExeFolder() + stem + "_" + scenario + ".log";
  DeleteFileA(log_.c_str());
  started_ = process_.Start(ProgramInTree(program), std::string(scenario) + " \"" + log_ + "\"");
}

ScenarioRun::~ScenarioRun() { DeleteFileA(log_.c_str()); }

}  // namespace driver
