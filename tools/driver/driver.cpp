// The test driver: process control and window lookup across processes.
#include "tools/driver/driver.h"

#include <shellapi.h>

#include <cstring>
#include <vector>

namespace driver {

namespace {

constexpr DWORD kPollMs = 20;
constexpr UINT kGbk = 936;
// Message boxes keep their text in a static control with this id.
constexpr int kMessageBoxTextId = 0xFFFF;

struct WindowQuery {
  DWORD processId;
  const char* className;
  std::wstring title;
  bool anyTitle;
  bool hiddenToo;
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM param) {
  auto* q = reinterpret_cast<WindowQuery*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != q->processId || (!q->hiddenToo && !IsWindowVisible(window))) return TRUE;
  if (q->className && ClassName(window) != q->className) return TRUE;
  if (!q->anyTitle && WindowTextW(window) != q->title) return TRUE;
  q->found = window;
  return FALSE;
}

BOOL CALLBACK CollectStatics(HWND child, LPARAM param) {
  auto* texts = reinterpret_cast<std::vector<std::wstring>*>(param);
  if (_stricmp(ClassName(child).c_str(), "Static") == 0) {
    std::wstring text = WindowTextW(child);
    if (!text.empty()) texts->push_back(text);
  }
  return TRUE;
}

std::string Narrow(UINT codePage, const std::wstring& text) {
  if (text.empty()) return std::string();
  int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0) WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

std::wstring Wide(const std::string& gbk) {
  if (gbk.empty()) return std::wstring();
  int n = MultiByteToWideChar(kGbk, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
  std::wstring out(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(kGbk, 0, gbk.data(), static_cast<int>(gbk.size()), out.data(), n);
  return out;
}

std::string Gbk(const std::wstring& text) { return Narrow(kGbk, text); }
std::string Utf8(const std::wstring& text) { return Narrow(CP_UTF8, text); }

std::vector<std::string> Arguments() {
  std::vector<std::string> args;
  int n = 0;
  LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &n);
  if (!list) return args;
  for (int i = 1; i < n; i++) args.push_back(Gbk(list[i]));
  LocalFree(list);
  return args;
}

std::string ExeFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  wchar_t* slash = wcsrchr(path, L'\\');
  if (slash) slash[1] = 0;
  return Gbk(path);
}

std::string ProgramInTree(const char* fileName) {
  return ExeFolder() + "..\\bin\\" + fileName;
}

bool FileExists(const std::string& path) { return FileExists(Wide(path)); }
bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFileBytes(const std::string& path) { return ReadFileBytes(Wide(path)); }
std::string ReadFileBytes(const std::wstring& path) {
  std::string bytes;
  // Read beside any writer, even one that may delete the file.
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

FileSnapshot SnapshotOf(const std::string& path) { return SnapshotOf(Wide(path)); }
FileSnapshot SnapshotOf(const std::wstring& path) {
  FileSnapshot snapshot;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return snapshot;
  snapshot.exists = true;
  snapshot.bytes = ReadFileBytes(path);
  snapshot.lastWrite = static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                       data.ftLastWriteTime.dwLowDateTime;
  return snapshot;
}

std::string WindowText(HWND window) { return Gbk(WindowTextW(window)); }

std::wstring WindowTextW(HWND window) {
  int n = GetWindowTextLengthW(window);
  if (n <= 0) return std::wstring();
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(window, text.data(), n + 1);
  text.resize(n > 0 ? n : 0);
  return text;
}

std::string ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return Gbk(name);
}

DrivenProcess::~DrivenProcess() {
  Kill();
  if (info_.hThread) CloseHandle(info_.hThread);
  if (info_.hProcess) CloseHandle(info_.hProcess);
}

bool DrivenProcess::Start(const std::string& exePath, const std::string& args) {
  if (info_.hProcess) return false;  // one process per object
  std::wstring commandLine = L"\"" + Wide(exePath) + L"\"";
  if (!args.empty()) commandLine += L" " + Wide(args);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  return CreateProcessW(Wide(exePath).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_) != FALSE;
}

HWND FindTopLevelWindow(DWORD processId, const char* className, const char* title, bool hiddenToo) {
  WindowQuery q{processId, className, title ? Wide(title) : std::wstring(), title == nullptr, hiddenToo, nullptr};
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
  MessageBoxContentW wide = ReadMessageBoxW(box);
  return {Gbk(wide.title), Gbk(wide.text)};
}

MessageBoxContentW ReadMessageBoxW(HWND box) {
  MessageBoxContentW content;
  content.title = WindowTextW(box);
  HWND text = GetDlgItem(box, kMessageBoxTextId);
  if (text) {
    content.text = WindowTextW(text);
  } else {
    std::vector<std::wstring> texts;
    EnumChildWindows(box, CollectStatics, reinterpret_cast<LPARAM>(&texts));
    if (!texts.empty()) content.text = texts.front();
  }
  return content;
}

bool PressButton(HWND box, int buttonId) {
  HWND button = GetDlgItem(box, buttonId);
  if (!button) return false;
  // What a click sends; needs no focus or foreground window.
  return PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                      reinterpret_cast<LPARAM>(button)) != FALSE;
}

ScenarioRun::ScenarioRun(const char* program, const char* scenario) {
  std::string stem = program;
  stem = stem.substr(0, stem.rfind('.'));
  log_ = ExeFolder() + stem + "_" + scenario + ".log";
  DeleteFileW(Wide(log_).c_str());
  started_ = process_.Start(ProgramInTree(program), std::string(scenario) + " \"" + log_ + "\"");
}

ScenarioRun::~ScenarioRun() { DeleteFileW(Wide(log_).c_str()); }

}  // namespace driver
