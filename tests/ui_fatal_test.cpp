// The unit framework's fatal reports, end to end: a program on the
// framework asks for a window, unit or event source that is not there and
// must end with one report box and the exit code -1, without its cleanup
// routine; while such a box is open, clicks reach no handler.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tools/driver/driver.h"

namespace {

constexpr DWORD kWaitMs = 20000;
constexpr DWORD kFatalExit = 0xFFFFFFFF;

#define REPORT_HEAD "运行时出错!\r\n\r\n"
#define INFO "错误信息："

class FatalRun : public driver::ScenarioRun {
 public:
  explicit FatalRun(const char* scenario) : ScenarioRun("ui_fatal_program.exe", scenario) {}
  HWND Box() { return process().WaitForWindow("#32770", "错误", kWaitMs); }
  HWND Window() { return process().WaitForWindow("WTWindow", "报告测试", kWaitMs); }
};

// A window whose unit table lacks even the window's own record cannot be
// loaded: the template is refused at start-up, before anything runs.
TEST(FrameworkReports, AWindowWithoutRecordsIsATemplateError) {
  FatalRun run("window-without-records");
  ASSERT_TRUE(run.started());
  HWND box = run.Box();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::ReadMessageBox(box).text, REPORT_HEAD INFO "载入窗口模板数据段出错!\r\n");
  EXPECT_TRUE(driver::PressButton(box, IDOK));
  DWORD code = 0;
  ASSERT_TRUE(run.process().WaitForExit(kWaitMs, &code));
  EXPECT_EQ(code, kFatalExit);
  EXPECT_EQ(run.Log(), "");
}

TEST(FrameworkReports, LookupsThatFindNothingEndTheProgram) {
  const struct {
    const char* scenario;
    const char* message;
  } cases[] = {
      {"read-missing-window", "未载入欲访问窗口组件所在的窗口"},
      {"write-missing-unit", "指定窗口或窗口组件不存在或尚未载入"},
      {"read-unloaded-unit", "指定窗口尚未载入"},
      {"event-missing-window", "未找到引发事件的窗口"},
      {"event-missing-unit", "未找到引发事件的窗口组件"},
      {"event-unknown-type", "引发事件的窗口组件无效"},
      {"event-silent-type", "引发事件的窗口组件无效"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scenario);
    FatalRun run(c.scenario);
    ASSERT_TRUE(run.started());
    HWND box = run.Box();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(driver::ReadMessageBox(box).text, std::string(REPORT_HEAD INFO) + c.message + "\r\n");
    EXPECT_TRUE(driver::PressButton(box, IDOK));
    DWORD code = 0;
    ASSERT_TRUE(run.process().WaitForExit(kWaitMs, &code));
    EXPECT_EQ(code, kFatalExit);
    EXPECT_EQ(run.Log(), "loaded\n") << "no cleanup routine after a report";
  }
}

// Clicks a button of another process (BM_CLICK: the button presses and
// releases itself and notifies its parent) and waits until that is done.
void Click(HWND button) {
  DWORD_PTR ignored;
  SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, kWaitMs, &ignored);
}

TEST(FrameworkReports, ClicksWhileTheReportIsOpenRunNoHandler) {
  FatalRun run("click");
  ASSERT_TRUE(run.started());
  HWND window = run.Window();
  ASSERT_NE(window, nullptr);
  HWND logButton = FindWindowExA(window, nullptr, "Button", "记录");
  HWND failButton = FindWindowExA(window, nullptr, "Button", "出错");
  ASSERT_NE(logButton, nullptr);
  ASSERT_NE(failButton, nullptr);

  Click(logButton);
  EXPECT_EQ(run.Log(), "loaded\nclicked\n");
  PostMessageA(failButton, BM_CLICK, 0, 0);  // its handler does not return
  HWND box = run.Box();
  ASSERT_NE(box, nullptr);
  // The box's own loop still dispatches the window's messages: the
  // buttons click, but no handler runs any more.
  Click(logButton);
  Click(failButton);
  Click(logButton);
  EXPECT_EQ(run.Log(), "loaded\nclicked\nfailing\n");
  EXPECT_TRUE(IsWindow(box)) << "still the one report";
  EXPECT_TRUE(driver::PressButton(box, IDOK));
  DWORD code = 0;
  ASSERT_TRUE(run.process().WaitForExit(kWaitMs, &code));
  EXPECT_EQ(code, kFatalExit);
  EXPECT_EQ(run.Log(), "loaded\nclicked\nfailing\n");
}

}  // namespace
