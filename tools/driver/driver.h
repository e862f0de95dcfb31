// Drives a Windows program from a test: starts it, finds its windows,
// reads and answers its message boxes, and collects its exit code. Every
// wait has a timeout; a process still running when its DrivenProcess goes
// away is killed, so a failing test never leaves one behind.
//
// Texts are GBK in the driver's API, as in the programs it drives, but
// every text that crosses into Windows goes as UTF-16, converted with code
// page 936 named: the driver then reads what a user sees on any system
// code page, not the bytes an A function would hand back.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace driver {

// GBK to UTF-16 and back, with code page 936 named whatever the system's.
// Characters that GBK lacks become '?'.
std::wstring Wide(const std::string& gbk);
std::string Gbk(const std::wstring& text);
// UTF-16 as UTF-8, for messages printed to a Linux terminal.
std::string Utf8(const std::wstring& text);

// The running program's arguments after its name, read as UTF-16 (main's
// argv arrives in the system code page) and converted to GBK.
std::vector<std::string> Arguments();

// The folder of the running test program, with a trailing backslash.
std::string ExeFolder();
// A program of the same build tree: test programs live in <tree>\tests,
// programs in <tree>\bin.
std::string ProgramInTree(const char* fileName);
bool FileExists(const std::string& path);
bool FileExists(const std::wstring& path);
// Whole file as bytes; empty when missing.
std::string ReadFileBytes(const std::string& path);
std::string ReadFileBytes(const std::wstring& path);

// A file's bytes and last-write time: equal snapshots before and after a
// run show that the run left the file alone.
struct FileSnapshot {
  bool exists = false;
  std::string bytes;
  ULONGLONG lastWrite = 0;
  bool operator==(const FileSnapshot&) const = default;
};
FileSnapshot SnapshotOf(const std::string& path);
FileSnapshot SnapshotOf(const std::wstring& path);

// Text of a window as it holds it (GetWindowText: another process's window
// is not asked, so an edit box of another process reads empty).
std::string WindowText(HWND window);
std::wstring WindowTextW(HWND window);
std::string ClassName(HWND window);

// The first top-level window of the process whose class and title match
// exactly (null matches any; the title is compared as UTF-16): visible
// ones only, unless hiddenToo.
HWND FindTopLevelWindow(DWORD processId, const char* className, const char* title,
                        bool hiddenToo = false);

class DrivenProcess {
 public:
  DrivenProcess() = default;
  DrivenProcess(const DrivenProcess&) = delete;
  DrivenProcess& operator=(const DrivenProcess&) = delete;
  ~DrivenProcess();

  // Starts exePath with the command-line tail args. False when it could
  // not be started.
  bool Start(const std::string& exePath, const std::string& args);
  // A visible top-level window of this process whose class and title match
  // exactly (null matches any); null after timeoutMs or once it ended.
  HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs) const;
  // True with the exit code once the process ended; after timeoutMs the
  // process is killed and the answer is false.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
  void Kill();
  DWORD id() const { return info_.dwProcessId; }
  HANDLE handle() const { return info_.hProcess; }

 private:
  PROCESS_INFORMATION info_{};
};

// One run of a scenario program of the tree, started as
// "PROGRAM SCENARIO LOGFILE" with a log file of its own beside the test
// (removed before the start and at the end).
class ScenarioRun {
 public:
  ScenarioRun(const char* program, const char* scenario);
  ~ScenarioRun();
  ScenarioRun(const ScenarioRun&) = delete;
  ScenarioRun& operator=(const ScenarioRun&) = delete;

  bool started() const { return started_; }
  DrivenProcess& process() { return process_; }
  std::string Log() const { return ReadFileBytes(log_); }

 private:
  std::string log_;
  DrivenProcess process_;
  bool started_ = false;
};

struct MessageBoxContent {
  std::string title;
  std::string text;
};
struct MessageBoxContentW {
  std::wstring title;
  std::wstring text;
};
// Title and message text of a message box (class "#32770").
MessageBoxContent ReadMessageBox(HWND box);
MessageBoxContentW ReadMessageBoxW(HWND box);
// Presses the box's button with that id (IDOK, IDCANCEL ...) as a click
// would; false when the box has no such button.
bool PressButton(HWND box, int buttonId);

}  // namespace driver
