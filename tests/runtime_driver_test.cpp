// End to end: programs on the runtime started as real processes, their
// windows and message boxes driven from here, their exit codes and the
// cleanup routines they ran (logged to a file) checked afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tools/driver/driver.h"

namespace {

constexpr DWORD kWaitMs = 20000;
constexpr DWORD kFatalExit = 0xFFFFFFFF;

#define HEADING "\xd4\xcb\xd0\xd0\xca\xb1\xb3\xf6\xb4\xed\x21"  // 运行时出错!
#define CODE_LABEL "\xb4\xed\xce\xf3\xb4\xfa\xc2\xeb\xa3\xba"   // 错误代码：
#define INFO_LABEL "\xb4\xed\xce\xf3\xd0\xc5\xcf\xa2\xa3\xba"   // 错误信息：
#define BOX_TITLE "\xb4\xed\xce\xf3"                             // 错误
// 数组成员引用下标必须大于等于1
#define ERROR4 "\xca\xfd\xd7\xe9\xb3\xc9\xd4\xb1\xd2\xfd\xd3\xc3\xcf\xc2\xb1\xea" \
               "\xb1\xd8\xd0\xeb\xb4\xf3\xd3\xda\xb5\xc8\xd3\xda\x31"
// 数组成员引用下标超出定义范围
#define ERROR1 "\xca\xfd\xd7\xe9\xb3\xc9\xd4\xb1\xd2\xfd\xd3\xc3\xcf\xc2\xb1\xea" \
               "\xb3\xac\xb3\xf6\xb6\xa8\xd2\xe5\xb7\xb6\xce\xa7"
// 载入启动窗口失败
#define NO_START_WINDOW "\xd4\xd8\xc8\xeb\xc6\xf4\xb6\xaf\xb4\xb0\xbf\xda\xca\xa7\xb0\xdc"

// One run of the scenario program with its own log file.
class Scenario : public driver::ScenarioRun {
 public:
  explicit Scenario(const char* name) : ScenarioRun("runtime_scenario.exe", name) {}
  HWND MainWindow() { return process().WaitForWindow("RtScenarioWindow", "runtime scenario", kWaitMs); }
};

// Reads the fatal report box, presses OK and answers its text.
std::string AnswerFatalBox(driver::DrivenProcess& process) {
  HWND box = process.WaitForWindow("#32770", BOX_TITLE, kWaitMs);
  if (!box) return "(no box)";
  driver::MessageBoxContent content = driver::ReadMessageBox(box);
  EXPECT_EQ(content.title, BOX_TITLE);
  EXPECT_TRUE(driver::PressButton(box, IDOK));
  return content.text;
}

struct FatalCase {
  const char* scenario;
  const char* text;
};

TEST(RuntimeProcess, RuntimeErrorsShowOneReportAndSkipTheCleanupRoutines) {
  const FatalCase cases[] = {
      {"index0", HEADING "\r\n\r\n" CODE_LABEL "4\r\n\r\n" INFO_LABEL ERROR4 "\r\n"},
      {"index1-empty", HEADING "\r\n\r\n" CODE_LABEL "1\r\n\r\n" INFO_LABEL ERROR1 "\r\n"},
      {"unknown-window", HEADING "\r\n\r\n" INFO_LABEL NO_START_WINDOW "\r\n"},
      {"thread-fatal", HEADING "\r\n\r\n" INFO_LABEL "worker\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scenario);
    Scenario run(c.scenario);
    ASSERT_TRUE(run.started());
    EXPECT_EQ(AnswerFatalBox(run.process()), c.text);
    DWORD code = 0;
    ASSERT_TRUE(run.process().WaitForExit(kWaitMs, &code));
    EXPECT_EQ(code, kFatalExit);
    // The runtime's own shutdown steps still run; the cleanup routines not.
    EXPECT_EQ(run.Log(), "lib1\nrelease\nlib6\nhost\n");
  }
}

struct ExitCase {
  const char* scenario;
  bool closeWindow;  // the driver closes the main window
  DWORD exitCode;
  const char* log;
};

// Templates released, cleanup routines in order, then the libraries'
// farewell and the host's own shutdown.
#define NORMAL_END "lib1\nrelease\nA\nB\nlib6\nhost\n"

TEST(RuntimeProcess, NormalEndsRunEachCleanupRoutineOnceInOrder) {
  const ExitCase cases[] = {
      {"close", true, 0, NORMAL_END},
      {"exit5", false, 5, NORMAL_END},
      {"thread-exit7", false, 7, NORMAL_END},
      {"destroyed-early", false, 0, NORMAL_END},
      // An exit from a cleanup routine ends the process at once with its
      // code: the shutdown does not start over.
      {"exit-in-cleanup", false, 9, "lib1\nrelease\nA\nB\nC\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scenario);
    Scenario run(c.scenario);
    ASSERT_TRUE(run.started());
    if (c.closeWindow) {
      HWND window = run.MainWindow();
      ASSERT_NE(window, nullptr);
      PostMessageA(window, WM_CLOSE, 0, 0);
    }
    DWORD code = 0;
    ASSERT_TRUE(run.process().WaitForExit(kWaitMs, &code));
    EXPECT_EQ(code, c.exitCode);
    EXPECT_EQ(run.Log(), c.log);
  }
}

// Sets an environment variable for the programs started while it lives.
class EnvironmentScope {
 public:
  EnvironmentScope(const char* name, const char* value) : name_(name) {
    char old[256];
    DWORD n = GetEnvironmentVariableA(name, old, sizeof old);
    had_ = n > 0 && n < sizeof old;
    if (had_) old_ = old;
    SetEnvironmentVariableA(name, value);
  }
  ~EnvironmentScope() { SetEnvironmentVariableA(name_, had_ ? old_.c_str() : nullptr); }
  EnvironmentScope(const EnvironmentScope&) = delete;
  EnvironmentScope& operator=(const EnvironmentScope&) = delete;

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

// An array block without any dimension is 4 bytes long; appending to it
// must grow it before the header gets its size word. With Wine's checked
// heap (tail filler and parameter checks, as a checked heap on Windows) a
// write past the block makes the next reallocation fail, and the program
// would end with the allocation report instead of its normal shutdown.
TEST(RuntimeProcess, AppendingToABlockWithoutDimensionsStaysInsideTheBlock) {
  EnvironmentScope checkedHeap("WINEDEBUG", "warn+heap");
  Scenario run("append-zero-dims");
  ASSERT_TRUE(run.started());
  DWORD code = 1;
  ASSERT_TRUE(run.process().WaitForExit(kWaitMs, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(run.Log(), "lib1\nappend 1 1 kept\nrelease\nA\nB\nlib6\nhost\n");
}

}  // namespace
