// InfoBox with the real message box: a second thread finds the box by its
// class and title, reads its text and closes it while the test thread is
// inside the command. Under Wine on a display without a window manager a
// closing box takes about 2 s to go away, so the cases stay few.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "commands/core_commands.h"
#include "runtime/runtime.h"
#include "tools/driver/driver.h"
#include "ui/listview/listview_unit.h"
#include "ui/unit_type.h"
#include "ui/window/window_unit.h"

namespace {

// What the closing thread saw of the box.
struct Seen {
  bool found = false;
  std::string text;
  HWND owner = nullptr;
  bool ownerEnabled = true;
};

// How the box is closed: WM_CLOSE (the close box) or a click on a button.
constexpr int kCloseBox = 0;

class BoxCloser {
 public:
  BoxCloser(const char* title, int button, HWND watched = nullptr)
      : thread_([=, this] { Run(title, button, watched); }) {}
  ~BoxCloser() { if (thread_.joinable()) thread_.join(); }
  BoxCloser(const BoxCloser&) = delete;
  BoxCloser& operator=(const BoxCloser&) = delete;
  const Seen& Wait() {
    thread_.join();
    return seen_;
  }

 private:
  void Run(std::string title, int button, HWND watched) {
    HWND box = nullptr;
    for (int i = 0; i < 500 && !box; i++) {  // up to 10 s
      box = driver::FindTopLevelWindow(GetCurrentProcessId(), "#32770", title.c_str());
      if (!box) Sleep(20);
    }
    if (!box) return;
    seen_.found = true;
    char text[256] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    seen_.text = text;
    seen_.owner = GetWindow(box, GW_OWNER);
    if (watched) seen_.ownerEnabled = IsWindowEnabled(watched) != FALSE;
    if (button == kCloseBox)
      PostMessageA(box, WM_CLOSE, 0, 0);
    else
      PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
  }

  Seen seen_;
  std::thread thread_;
};

int32_t ShowBox(std::vector<ArgValue> args) {
  ArgValue result{};
  result.v.u64 = 0xDEADBEEF;
  InfoBox(&result, static_cast<int>(args.size()), args.data());
  return result.v.i32;
}

TEST(InfoBox, MapsTheClosingButton) {
  struct { UINT style; int button; int32_t expected; } cases[] = {
      {MB_OK, kCloseBox, 0},
      {MB_OK | MB_ICONWARNING, kCloseBox, 0},
      {MB_OKCANCEL, kCloseBox, 1},
      {MB_OKCANCEL, IDOK, 0},
      {MB_ABORTRETRYIGNORE, IDABORT, 2},
      {MB_RETRYCANCEL, IDRETRY, 3},
      {MB_ABORTRETRYIGNORE, IDIGNORE, 4},
      {MB_YESNOCANCEL, IDYES, 5},
      {MB_YESNO, IDNO, 6},
  };
  for (auto& c : cases) {
    BoxCloser closer("button test", c.button);
    EXPECT_EQ(ShowBox({TextArg("pick"), IntArg(c.style), TextArg("button test")}), c.expected)
        << "style " << c.style << " button " << c.button;
    EXPECT_TRUE(closer.Wait().found);
  }
}

TEST(InfoBox, ShowsTheContentAsText) {
  ArgValue date = DoubleArg(45000.5);
  date.type = kTypeDateTime;
  struct { ArgValue content; std::string expected; } cases[] = {
      {IntArg(42), "42"},
      {TextArg("机器"), "机器"},
      {BoolArg(true), "真"},
      {date, "2023年3月15日12时"},
      {UnitRef(1, 2, kListViewTypeCode), ""},  // no text for other kinds
  };
  for (auto& c : cases) {
    BoxCloser closer("content test", kCloseBox);
    EXPECT_EQ(ShowBox({c.content, IntArg(MB_OK), TextArg("content test")}), 0);
    const Seen& seen = closer.Wait();
    EXPECT_TRUE(seen.found);
    EXPECT_EQ(seen.text, c.expected);
  }
}

TEST(InfoBox, TitleDefaultsToInformation) {
  {
    BoxCloser closer("信息：", kCloseBox);
    EXPECT_EQ(ShowBox({TextArg("omitted title"), IntArg(MB_OK), OmittedArg(), OmittedArg()}), 0);
    EXPECT_EQ(closer.Wait().text, "omitted title");
  }
  {
    BoxCloser closer("导出", kCloseBox);
    EXPECT_EQ(ShowBox({TextArg("given title"), IntArg(MB_OK), TextArg("导出")}), 0);
    EXPECT_EQ(closer.Wait().text, "given title");
  }
}

// A top-level window of the test thread, to own the box or to be disabled
// by a task-modal one.
class TestWindow {
 public:
  TestWindow() {
    hwnd_ = CreateWindowExA(0, "STATIC", "info box owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                            200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~TestWindow() { DestroyWindow(hwnd_); }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND get() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// The unit framework's answer to RuntimeNotify 2006 for the owner tests.
UnitObject g_windowUnit;
std::atomic<intptr_t> g_askedWindow{-1}, g_askedUnit{-1};
intptr_t ResolveOnly(int code, intptr_t p1, intptr_t p2) {
  if (code != kNotifyResolveUnit) return 0;
  g_askedWindow = p1;
  g_askedUnit = p2;
  return p1 == static_cast<intptr_t>(g_windowUnit.windowId) ? reinterpret_cast<intptr_t>(&g_windowUnit) : 0;
}

TEST(InfoBox, OwnerFromAWindowUnitOrAHandle) {
  TestWindow window;
  ASSERT_NE(window.get(), nullptr);
  WindowHost host{};
  host.notify = ResolveOnly;
  const WindowHost* previous = RtWindowHost();
  RtSetWindowHost(&host);
  g_windowUnit = UnitObject{window.get(), 0x10000005, 0};

  {
    BoxCloser closer("owner test", kCloseBox);
    ShowBox({TextArg("x"), IntArg(MB_OK), TextArg("owner test"), UnitRef(0x10000005, 0, kWindowTypeCode)});
    EXPECT_EQ(closer.Wait().owner, window.get());
    EXPECT_EQ(g_askedWindow, 0x10000005);
    EXPECT_EQ(g_askedUnit, 0);
  }
  {
    BoxCloser closer("owner test", kCloseBox);
    auto handle = static_cast<int32_t>(reinterpret_cast<intptr_t>(window.get()));
    ShowBox({TextArg("x"), IntArg(MB_OK), TextArg("owner test"), IntArg(handle)});
    EXPECT_EQ(closer.Wait().owner, window.get());
  }
  {
    // A reference the framework cannot resolve: no owner, and no crash.
    BoxCloser closer("owner test", kCloseBox);
    ShowBox({TextArg("x"), IntArg(MB_OK), TextArg("owner test"), UnitRef(0x10000099, 0, kWindowTypeCode)});
    EXPECT_EQ(closer.Wait().owner, nullptr);
  }
  RtSetWindowHost(previous);
}

TEST(InfoBox, TaskModalUnlessSystemModal) {
  TestWindow window;
  ASSERT_NE(window.get(), nullptr);
  {
    BoxCloser closer("modal test", kCloseBox, window.get());
    ShowBox({TextArg("x"), IntArg(MB_OK), TextArg("modal test")});
    EXPECT_FALSE(closer.Wait().ownerEnabled) << "a task-modal box disables the thread's windows";
  }
  EXPECT_TRUE(IsWindowEnabled(window.get()));
  {
    BoxCloser closer("modal test", kCloseBox, window.get());
    ShowBox({TextArg("x"), IntArg(MB_SYSTEMMODAL), TextArg("modal test")});
    EXPECT_TRUE(closer.Wait().ownerEnabled);
  }
}

}  // namespace
