// Reloads through "..." and exports, many in one run of the real tool:
// what the process holds stays flat. Handles and windows come from Windows
// (GDI and USER object counts too, 0 where Wine does not count them),
// memory from Linux (VmRSS of the process), because Wine's own memory
// counters miss heap growth.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>

#include <cstdlib>

#include "tests/app_hostile_run.h"
#include "tools/driver/process_probe.h"

namespace {

// Each cycle takes two file dialogs, and Wine needs about two seconds to
// close one, so the suite runs 16 cycles (handles are counted one by one,
// so a leak of one per cycle shows); MLE_RESOURCE_CYCLES=200 runs the long
// form.
int Cycles() {
  char text[16] = {};
  int n = GetEnvironmentVariableA("MLE_RESOURCE_CYCLES", text, sizeof text) ? atoi(text) : 0;
  return n > 0 ? n : 16;
}
constexpr int kWarmUp = 4;  // caches, fonts and dialog state settle first

UINT_PTR CALLBACK ConfirmAtOnce(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_INITDONE) {
    HWND dialog = GetParent(hook);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  }
  return 0;
}

// Handles that Wine's own file dialog keeps for every time it is shown,
// measured in this process with no code of the tool's: Wine 8 keeps one per
// dialog. The tool may grow by that much and no more.
double WineHandlesPerFileDialog(const std::string& file) {
  constexpr int kDialogs = 4;
  auto show = [&] {
    char name[MAX_PATH];
    lstrcpynA(name, file.c_str(), sizeof name);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = name;
    ofn.nMaxFile = sizeof name;
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    ofn.lpfnHook = ConfirmAtOnce;
    return GetOpenFileNameA(&ofn) != 0;
  };
  if (!show()) return -1;  // the first one loads the dialog's libraries
  DWORD before = driver::HandleCountOf(GetCurrentProcessId());
  for (int i = 0; i < kDialogs; i++)
    if (!show()) return -1;
  DWORD after = driver::HandleCountOf(GetCurrentProcessId());
  return (static_cast<double>(after) - before) / kDialogs;
}

void Print(const char* when, const driver::ProcessCounters& c) {
  printf("%-6s handles %5lu  GDI %5lu  USER %5lu  windows %4lu  VmRSS %7lld kB\n", when, c.handles,
         c.gdiObjects, c.userObjects, c.windows, c.residentKb);
  fflush(stdout);  // a test that times out still shows how far it came
}

TEST(HostileResources, ReloadsAndExportsLeaveTheProcessFlat) {
  std::vector<e2e::Record> machines;
  for (int i = 0; i < 36; i++) machines.push_back({"PC" + std::to_string(i), "MAC" + std::to_string(i), "1"});
  e2e::SetImagePath(e2e::MakeServer("mle_res_server", machines));
  const std::string chosen = "C:\\mle_res_server\\config\\quillnode.db";
  const std::string output = e2e::OutputPath("hostile_resources.txt");
  const double perDialog = WineHandlesPerFileDialog(chosen);
  printf("Wine's file dialog alone keeps %.2f handles each time it is shown\n", perDialog);
  ASSERT_GE(perDialog, 0) << "the file dialog did not run in the test process";

  // A marker on the command line finds the Linux process among many.
  const std::string marker = "--probe-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
  e2e::Tool tool;
  ASSERT_TRUE(tool.Launch(marker));
  ASSERT_TRUE(tool.WaitForMain());

  driver::ProcessCounters start, warm;
  start = driver::CountersOf(tool.process().handle(), marker);
  Print("start", start);
  ASSERT_GT(start.residentKb, 0) << "no Linux process with " << marker << " in its command line";
  const int cycles = Cycles();
  printf("%d reloads through \"...\" and %d exports\n", cycles, cycles);
  for (int i = 1; i <= cycles; i++) {
    ASSERT_TRUE(tool.Browse(chosen)) << "reload " << i;
    tool.SelectAllRows();
    ASSERT_TRUE(tool.Export(output)) << "export " << i;
    if (i == kWarmUp) {
      warm = driver::CountersOf(tool.process().handle(), marker);
      Print("warm", warm);
    }
  }
  EXPECT_EQ(tool.AnswerBoxes(), std::vector<std::string>{});
  EXPECT_EQ(tool.Rows().size(), machines.size());
  EXPECT_EQ(driver::ReadFileBytes(output), model::ExportFile(model::Shown(machines)));
  driver::ProcessCounters end = driver::CountersOf(tool.process().handle(), marker);
  Print("end", end);

  // Generous bounds, yet below one leaked object per measured cycle beyond
  // what Wine's two file dialogs of a cycle keep by themselves.
  const long long kHandleSlack = 6, kRssSlackKb = 16 * 1024;
  const long long wineDialogs = static_cast<long long>(perDialog * 2 * (cycles - kWarmUp) + 0.5);
  EXPECT_LE(static_cast<long long>(end.handles) - warm.handles, wineDialogs + kHandleSlack);
  EXPECT_LE(static_cast<long long>(end.gdiObjects) - warm.gdiObjects, kHandleSlack);
  EXPECT_LE(static_cast<long long>(end.userObjects) - warm.userObjects, kHandleSlack);
  EXPECT_LE(static_cast<long long>(end.windows) - warm.windows, 2) << "windows left behind";
  EXPECT_LE(end.residentKb - warm.residentKb, kRssSlackKb);

  DWORD code = 1;
  EXPECT_TRUE(tool.PressEscapeAndWait(&code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
