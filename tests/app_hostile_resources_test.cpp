// 200 reloads through "..." and 200 exports in one run of the real tool:
// what the process holds stays flat. Handles and GDI / USER objects come
// from Windows (0 where Wine does not count them), memory from Linux
// (VmRSS of the process), because Wine's own memory counters miss heap
// growth.
#include <gtest/gtest.h>

#include "tests/app_hostile_run.h"
#include "tools/driver/process_probe.h"

namespace {

constexpr int kCycles = 200;
constexpr int kWarmUp = 20;  // caches, fonts and dialog state settle first

void Print(const char* when, const driver::ProcessCounters& c) {
  printf("%-10s handles %5lu  GDI %5lu  USER %5lu  VmRSS %7lld kB\n", when, c.handles, c.gdiObjects,
         c.userObjects, c.residentKb);
}

TEST(HostileResources, ReloadsAndExportsLeaveTheProcessFlat) {
  std::vector<e2e::Record> machines;
  for (int i = 0; i < 36; i++) machines.push_back({"PC" + std::to_string(i), "MAC" + std::to_string(i), "1"});
  e2e::SetImagePath(e2e::MakeServer("mle_res_server", machines));
  const std::string chosen = "C:\\mle_res_server\\config\\quillnode.db";
  const std::string output = e2e::OutputPath("hostile_resources.txt");

  // A marker on the command line finds the Linux process among many.
  const std::string marker = "--probe-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
  e2e::Tool tool;
  ASSERT_TRUE(tool.Launch(marker));
  ASSERT_TRUE(tool.WaitForMain());

  driver::ProcessCounters start, warm;
  start = driver::CountersOf(tool.process().handle(), marker);
  Print("start", start);
  ASSERT_GT(start.residentKb, 0) << "no Linux process with " << marker << " in its command line";
  for (int i = 1; i <= kCycles; i++) {
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
  std::string expected;
  for (const e2e::Record& r : machines) expected += *r.machine + " " + *r.mac + " 1.0.0.0\r\n";
  EXPECT_EQ(driver::ReadFileBytes(output), expected);
  driver::ProcessCounters end = driver::CountersOf(tool.process().handle(), marker);
  Print("end", end);

  // Generous bounds: one leaked object per cycle would pass 180; a list's
  // worth of memory kept per reload would pass 16 MB.
  const long long kHandleSlack = 30, kRssSlackKb = 16 * 1024;
  EXPECT_LE(static_cast<long long>(end.handles) - warm.handles, kHandleSlack);
  EXPECT_LE(static_cast<long long>(end.gdiObjects) - warm.gdiObjects, kHandleSlack);
  EXPECT_LE(static_cast<long long>(end.userObjects) - warm.userObjects, kHandleSlack);
  EXPECT_LE(end.residentKb - warm.residentKb, kRssSlackKb);

  DWORD code = 1;
  EXPECT_TRUE(tool.PressEscapeAndWait(&code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
