// A small program on the runtime for the end-to-end tests. It reads a
// scenario name and a log file from its command line:
//   runtime_scenario.exe SCENARIO LOGFILE
// Its window host creates one plain window (class "RtScenarioWindow") and
// reports that window's destruction as the unit framework would. The host,
// the one library and the cleanup routines ("A", "B") append a line to the
// log file for each step the runtime asks of them, so the driver sees
// which ran and in what order.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/heap.h"
#include "runtime/runtime.h"
#include "tools/runtime_programs/scenario_log.h"

namespace {

constexpr uint32_t kStartWindow = 0x52010001;
constexpr UINT kMsgExit5 = WM_APP;
constexpr UINT kMsgIndexZero = WM_APP + 1;
constexpr UINT kMsgIndexOneOfEmpty = WM_APP + 2;

std::string g_scenario;
std::string g_log;
HWND g_window;

DWORD g_uiThread;

// One line per step that the runtime drives here. Those steps belong to the
// user-interface thread; a line written on any other thread is marked, so
// the driver sees a shutdown that ran in the wrong place.
void LogStep(const char* step) {
  std::string line = step;
  if (GetCurrentThreadId() != g_uiThread) line += " (other thread)";
  AppendLogLine(g_log, line);
}

void CleanupA() { LogStep("A"); }
void CleanupB() { LogStep("B"); }
// An exit asked for while shutting down ends the process at once with its
// code; the shutdown steps do not start over.
void CleanupExit9() {
  LogStep("C");
  RtExit(9);
}

// The program's one library: logs the greeting and the farewell.
intptr_t LibraryNotify(int code, intptr_t, intptr_t) {
  if (code == kLibInit) LogStep("lib1");
  else if (code == kLibShutdown) LogStep("lib6");
  else return -1;
  return 0;
}
const LibraryInfo kLibrary = {"scenario", LibraryNotify, 0, nullptr};
const LibraryInfo* const kLibraries[1] = {&kLibrary};

// The empty array as application code starts it: one dimension of size 0.
int32_t g_emptyArray[2] = {1, 0};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kMsgExit5:
      RtExit(5);
    case kMsgIndexZero:
      RtElementAt(reinterpret_cast<RtArray*>(g_emptyArray), 0, 4);
      return 0;
    case kMsgIndexOneOfEmpty:
      RtElementAt(reinterpret_cast<RtArray*>(g_emptyArray), 1, 4);
      return 0;
    case WM_NCDESTROY:
      g_window = nullptr;
      RtAfterWindowDestroyed();
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

bool LoadTemplates(const uint8_t*, uint32_t, uintptr_t) { return true; }
void ReleaseTemplates() { LogStep("release"); }

bool LoadWindow(uint32_t windowId, bool, HWND) {
  if (windowId != kStartWindow) return false;
  WNDCLASSA wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "RtScenarioWindow";
  RegisterClassA(&wc);
  g_window = CreateWindowExA(0, "RtScenarioWindow", "runtime scenario", WS_OVERLAPPEDWINDOW,
                             40, 40, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
  if (!g_window) return false;
  ShowWindow(g_window, SW_SHOW);
  return true;
}

int LoadedCount() { return 1; }
uint32_t LoadedId(int) { return kStartWindow; }
HWND LoadedHandle(int) { return g_window; }
bool PreTranslate(MSG*) { return false; }
intptr_t HostNotify(int, intptr_t, intptr_t) { return 0; }
void HostShutdown() { LogStep("host"); }

const WindowHost kHost = {LoadTemplates, ReleaseTemplates, LoadWindow,   LoadedCount, LoadedId,
                          LoadedHandle,  PreTranslate,     HostNotify,   HostShutdown};

// One template byte so that start-up hands "templates" to the host.
const uint8_t kTemplate[1] = {0};
const ProgramHeader kHeader = {3, 0, 90722, 0, nullptr, 0, kTemplate, sizeof kTemplate,
                               1, kLibraries, 0, nullptr, nullptr};

// Appends one 8-byte element to an array block that has no dimension at
// all (4 bytes) and logs what the variable holds afterwards.
void AppendToZeroDimensions() {
  auto var = static_cast<RtArray*>(RtAlloc(4));
  var->dims = 0;
  const int64_t element = 0x0102030405060708;
  RtAppendElement(&var, 8, &element);
  int64_t stored = 0;
  memcpy(&stored, &var->sizes[1], sizeof stored);
  std::string line = "append " + std::to_string(var->dims) + " " + std::to_string(var->sizes[0]) +
                     (stored == element ? " kept" : " lost");
  LogStep(line.c_str());
  RtFree(var);
}

DWORD WINAPI ExitFromThread(void* code) {
  Sleep(200);
  RtExit(static_cast<int>(reinterpret_cast<intptr_t>(code)));
}

DWORD WINAPI FatalFromThread(void*) {
  Sleep(200);
  FatalReport("worker", 0);
}

int ProgramEntry() {
  RtService(kServiceInitialize);
  RtService(kServiceRegisterCleanup, reinterpret_cast<intptr_t>(&CleanupA));
  RtService(kServiceRegisterCleanup, reinterpret_cast<intptr_t>(&CleanupB));
  RtService(kServiceRegisterCleanup, reinterpret_cast<intptr_t>(&CleanupA));  // already listed: no second run
  RtLoadWindow(kStartWindow);

  if (g_scenario == "exit5") PostMessageA(g_window, kMsgExit5, 0, 0);
  else if (g_scenario == "exit-in-cleanup") {
    RtService(kServiceRegisterCleanup, reinterpret_cast<intptr_t>(&CleanupExit9));
    PostMessageA(g_window, kMsgExit5, 0, 0);
  }
  else if (g_scenario == "index0") PostMessageA(g_window, kMsgIndexZero, 0, 0);
  else if (g_scenario == "index1-empty") PostMessageA(g_window, kMsgIndexOneOfEmpty, 0, 0);
  else if (g_scenario == "thread-exit7")
    CloseHandle(CreateThread(nullptr, 0, ExitFromThread, reinterpret_cast<void*>(7), 0, nullptr));
  else if (g_scenario == "thread-fatal")
    CloseHandle(CreateThread(nullptr, 0, FatalFromThread, nullptr, 0, nullptr));
  else if (g_scenario == "destroyed-early") DestroyWindow(g_window);
  else if (g_scenario == "append-zero-dims") {
    AppendToZeroDimensions();
    DestroyWindow(g_window);
  }
  else if (g_scenario == "unknown-window") RtLoadWindow(0x52010099);
  // "close": the driver closes the window.

  RtRunLoop();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return RunScenarioProgram(instance, &g_scenario, &g_log, &kHost, ProgramEntry, [] {
    g_uiThread = GetCurrentThreadId();
    return &kHeader;
  });
}
