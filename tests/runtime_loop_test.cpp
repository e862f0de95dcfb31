// Start-up for tests, the message loop, idle processing and the end of the
// loop when the last loaded window goes, with a small window host of the
// test's own over real (hidden) windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "runtime/heap.h"
#include "runtime/runtime.h"
#include "runtime/runtime_app.h"

namespace {

constexpr DWORD kWaitMs = 10000;

struct TestWindow {
  uint32_t id;
  std::string name;
  int idleAnswers;  // -1: no idle handler; else how many times it asks for more
  HWND hwnd;
};

std::vector<TestWindow> g_windows;
std::vector<std::string> g_log;
std::vector<EventRequest> g_idleRequests;
HANDLE g_idleSeen;  // a semaphore: one count per window idle event

TestWindow* FindWindowRecord(HWND hwnd) {
  for (auto& w : g_windows)
    if (w.hwnd == hwnd) return &w;
  return nullptr;
}

LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE: g_log.push_back("move"); break;
    case WM_KEYDOWN: g_log.push_back("key"); break;
    case kSysTimer: g_log.push_back("systimer"); return 0;
    case kKickIdle: g_log.push_back("kickidle"); return 0;
    case WM_NCDESTROY:
      if (TestWindow* w = FindWindowRecord(hwnd)) w->hwnd = nullptr;
      RtAfterWindowDestroyed();
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The window host: hidden windows (so no real mouse input reaches them),
// window idle events logged and answered per window.
const uint8_t* g_templateData;
uint32_t g_templateLength;
uintptr_t g_codeBase;
bool g_templatesOk = true;
int g_templateLoads;

bool LoadTemplates(const uint8_t* data, uint32_t length, uintptr_t codeBase) {
  g_templateLoads++;
  g_templateData = data;
  g_templateLength = length;
  g_codeBase = codeBase;
  return g_templatesOk;
}
void ReleaseTemplates() {}
bool LoadWindow(uint32_t id, bool modal, HWND owner) {
  if (modal || owner) return false;
  for (auto& w : g_windows) {
    if (w.id != id) continue;
    w.hwnd = CreateWindowExA(0, "RtLoopTestWindow", w.name.c_str(), WS_OVERLAPPEDWINDOW, 0, 0,
                             100, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    return w.hwnd != nullptr;
  }
  return false;
}
int LoadedCount() { return static_cast<int>(g_windows.size()); }
uint32_t LoadedId(int i) { return g_windows[i].id; }
HWND LoadedHandle(int i) { return g_windows[i].hwnd; }
bool PreTranslate(MSG* msg) {
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_F5) {
    g_log.push_back("pre:F5");
    return true;
  }
  return false;
}
intptr_t HostNotify(int code, intptr_t p1, intptr_t) {
  if (code != kNotifyFireEvent) return 0;
  auto* request = reinterpret_cast<EventRequest*>(p1);
  for (auto& w : g_windows) {
    if (w.id != request->windowId) continue;
    g_log.push_back("idle " + w.name);
    g_idleRequests.push_back(*request);
    if (w.idleAnswers >= 0) {
      request->answered = 1;
      request->answer = w.idleAnswers > 0 ? 1 : 0;
      if (w.idleAnswers > 0) w.idleAnswers--;
    }
  }
  ReleaseSemaphore(g_idleSeen, 1, nullptr);
  return 0;
}
void HostShutdown() {}

const WindowHost kHost = {LoadTemplates, ReleaseTemplates, LoadWindow,  LoadedCount, LoadedId,
                          LoadedHandle,  PreTranslate,     HostNotify,  HostShutdown};

std::vector<std::pair<int, intptr_t>> g_libraryCalls;
intptr_t CoreLibraryNotify(int code, intptr_t p1, intptr_t) {
  g_libraryCalls.push_back({code, p1});
  return 0;
}

const uint8_t kTemplateBytes[3] = {1, 2, 3};
const char kConstBytes[8] = "literal";
const LibraryInfo kCore = {"core", CoreLibraryNotify, 0, nullptr};
const LibraryInfo kSilent = {"silent", nullptr, 0, nullptr};
const LibraryInfo* const kLibraries[3] = {&kCore, nullptr, &kSilent};
ProgramHeader MakeHeader(uint32_t templateLength) {
  return ProgramHeader{3,        0, 90722, 0x1000, kConstBytes, sizeof kConstBytes,
                       kTemplateBytes, templateLength, 3, kLibraries, 0, nullptr, nullptr};
}

class RuntimeLoop : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "RtLoopTestWindow";
    RegisterClassA(&wc);
    g_idleSeen = CreateSemaphoreA(nullptr, 0, 1000, nullptr);
  }
  void SetUp() override {
    g_windows.clear();
    g_log.clear();
    g_idleRequests.clear();
    g_templatesOk = true;
    header_ = MakeHeader(sizeof kTemplateBytes);
    ASSERT_TRUE(RtInitializeForTests(&header_, &kHost));
    RuntimeState().startupComplete = false;
    while (WaitForSingleObject(g_idleSeen, 0) == WAIT_OBJECT_0) {
    }
  }
  void TearDown() override {
    for (auto& w : g_windows)
      if (w.hwnd) DestroyWindow(w.hwnd);
    RtSetConstArea(nullptr, 0);
  }
  // Posts from another thread while the loop runs on this one.
  static bool WaitIdle() { return WaitForSingleObject(g_idleSeen, kWaitMs) == WAIT_OBJECT_0; }

  ProgramHeader header_{};
};

TEST_F(RuntimeLoop, InitialisationGreetsLibrariesAndHandsOverTemplates) {
  // SetUp initialised once; look at what it did.
  ASSERT_FALSE(g_libraryCalls.empty());
  EXPECT_EQ(g_libraryCalls.back().first, kLibInit);
  EXPECT_EQ(g_libraryCalls.back().second, reinterpret_cast<intptr_t>(&RuntimeNotify));
  EXPECT_EQ(RtLibraryCount(), 3);
  EXPECT_EQ(RtLibrary(0), &kCore);
  EXPECT_EQ(RtLibrary(1), nullptr);
  EXPECT_EQ(RtLibrary(3), nullptr);
  EXPECT_EQ(g_templateData, kTemplateBytes);
  EXPECT_EQ(g_templateLength, 3u);
  EXPECT_EQ(g_codeBase, 0x1000u);
  EXPECT_TRUE(RtInConstArea(kConstBytes + 7));
  EXPECT_EQ(RtNextSerial(), 90722u + 2);  // the counter starts at seed + 1

  HWND owner = RtHiddenOwner();
  ASSERT_TRUE(IsWindow(owner));
  char cls[64] = {};
  GetClassNameA(owner, cls, sizeof cls);
  EXPECT_STREQ(cls, "_VX_HideOwner");
  EXPECT_TRUE(GetWindowLongA(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(IsWindowVisible(owner));
  EXPECT_STRNE(RtProgramFileName(), "");

  // No templates: the host is not asked; unreadable ones: false.
  int loads = g_templateLoads;
  ProgramHeader none = MakeHeader(0);
  EXPECT_TRUE(RtInitializeForTests(&none, &kHost));
  EXPECT_EQ(g_templateLoads, loads);
  g_templatesOk = false;
  EXPECT_FALSE(RtInitializeForTests(&header_, &kHost));
  EXPECT_EQ(RtHiddenOwner(), owner);  // created once
}

TEST_F(RuntimeLoop, IdleRestartsOnlyForMessagesThatAreNotIdleNeutral) {
  g_windows = {{0x52010001, "B", -1, nullptr}};
  RtLoadWindow(0x52010001);
  HWND window = g_windows[0].hwnd;
  std::atomic<bool> ok{true};
  std::thread driver([&] {
    auto post = [&](UINT message, WPARAM wParam, bool expectIdle) {
      PostMessageA(window, message, wParam, 0);
      if (expectIdle) ok = ok && WaitIdle();
      else Sleep(150);  // time enough for an idle round that must not come
    };
    ok = ok && WaitIdle();
    post(WM_MOUSEMOVE, 0, true);
    post(WM_MOUSEMOVE, 0, false);  // same place again
    post(kSysTimer, 0, false);
    post(WM_KEYDOWN, 'A', true);
    post(kKickIdle, 0, true);      // skipped, but it still wakes idle time
    post(WM_KEYDOWN, VK_F5, true);
    PostMessageA(window, WM_CLOSE, 0, 0);
  });
  RtRunLoop();
  driver.join();
  EXPECT_TRUE(ok);
  EXPECT_EQ(RuntimeState().quitCode, 0u);
  const std::vector<std::string> expected = {"idle B", "move",   "idle B", "move",  "systimer",
                                             "key",    "idle B", "idle B", "pre:F5", "idle B"};
  EXPECT_EQ(g_log, expected);
}

std::vector<uint32_t> g_watchCalls;
void WatchRoutine(uint32_t argument) { g_watchCalls.push_back(argument); }

TEST_F(RuntimeLoop, WindowsAskingForMoreIdleTimeKeepGettingIt) {
  g_windows = {{0x52010001, "A", 2, nullptr}, {0x52010002, "B", -1, nullptr}};
  RtLoadWindow(0x52010001);
  RtLoadWindow(0x52010002);
  IdleWatch watch{g_windows[0].hwnd, WatchRoutine, 77};
  RuntimeNotify(kNotifyIdleAdd, reinterpret_cast<intptr_t>(&watch), 0);
  g_watchCalls.clear();
  HWND a = g_windows[0].hwnd, b = g_windows[1].hwnd;
  std::atomic<bool> ok{true};
  std::thread driver([&] {
    for (int i = 0; i < 4; i++) ok = ok && WaitIdle();
    Sleep(100);
    PostMessageA(a, WM_CLOSE, 0, 0);
    Sleep(100);
    PostMessageA(b, WM_CLOSE, 0, 0);  // the last loaded window: the loop ends
  });
  RtRunLoop();
  driver.join();
  ASSERT_TRUE(ok);
  ASSERT_GE(g_log.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(g_log.begin(), g_log.begin() + 4),
            (std::vector<std::string>{"idle A", "idle B", "idle A", "idle A"}));
  // One argument: milliseconds since the idle start, never going back.
  for (size_t i = 0; i < 4; i++) {
    EXPECT_EQ(g_idleRequests[i].event, 7);
    EXPECT_EQ(g_idleRequests[i].argc, 1);
    EXPECT_EQ(g_idleRequests[i].unitId, 0u);
    if (i) {
      EXPECT_GE(g_idleRequests[i].args[0], g_idleRequests[i - 1].args[0]);
    }
  }
  // The watch ran once per idle round (five before A's close) with its
  // argument, and was dropped once its window died.
  ASSERT_GE(g_watchCalls.size(), 5u);
  for (uint32_t argument : g_watchCalls) EXPECT_EQ(argument, 77u);
  RunIdleWatchList();
  EXPECT_TRUE(RuntimeState().idleWatch.empty());
}

TEST_F(RuntimeLoop, AWindowGoneBeforeTheLoopEndsNothingAndTheLoopReturns) {
  g_windows = {{0x52010001, "B", -1, nullptr}};
  RtLoadWindow(0x52010001);
  DestroyWindow(g_windows[0].hwnd);  // during start-up: no WM_QUIT
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  RtRunLoop();  // no live window: returns at once
  EXPECT_TRUE(RtStartupComplete());
  EXPECT_TRUE(g_log.empty());
}

}  // namespace
