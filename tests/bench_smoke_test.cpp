// A quick run of the benchmark's programs on tiny tables: the driver
// operates the real tool through every step and the baselines run, and
// each reports the figures the benchmark's table is made of. Nothing here
// is timed; the figures only have to be there and be sound.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include "tools/driver/driver.h"
#include "tools/driver/tool_session.h"

namespace {

struct BenchRun {
  DWORD exitCode = 0xDEAD;
  std::map<std::string, std::string> values;  // key=value lines
  double Number(const std::string& key) const {
    auto it = values.find(key);
    return it == values.end() ? -1e9 : atof(it->second.c_str());
  }
};

std::string BenchProgram(const char* name) { return driver::ExeFolder() + "..\\bench\\" + name; }

// Runs a program of the bench folder and collects its key=value lines.
BenchRun RunBench(const std::string& program, const std::string& args) {
  BenchRun run;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd, writeEnd;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = writeEnd;
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION pi{};
  std::string line = "\"" + BenchProgram(program.c_str()) + "\" " + args;
  BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    return run;
  }
  std::string text;
  char buffer[512];
  DWORD got = 0;
  while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(readEnd);
  if (WaitForSingleObject(pi.hProcess, 120000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  GetExitCodeProcess(pi.hProcess, &run.exitCode);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  std::istringstream lines(text);
  for (std::string l; std::getline(lines, l);) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    size_t eq = l.find('=');
    if (eq != std::string::npos) run.values[l.substr(0, eq)] = l.substr(eq + 1);
  }
  return run;
}

std::vector<e2e::Record> Machines(int n) {
  std::vector<e2e::Record> records;
  for (int k = 1; k <= n; k++)
    records.push_back({"机房-" + std::to_string(k), "00-1A-2B-00-00-0" + std::to_string(k), std::to_string(k << 24 | 10)});
  return records;
}

class BenchSmoke : public ::testing::TestWithParam<int> {};

TEST_P(BenchSmoke, TheToolsStepsAndTheBaselinesReportEveryFigure) {
  const int rows = GetParam();
  const std::string server = "mle-bench-smoke-" + std::to_string(rows);
  const std::string db = "C:\\" + server + "\\config\\quillnode.db";
  e2e::WriteDatabase(db, Machines(rows));

  BenchRun tool = RunBench("bench_driver.exe", "steps " + std::to_string(rows) + " " + server + " " +
                                              e2e::OutputPath("bench-smoke.txt"));
  EXPECT_EQ(tool.exitCode, 0u);
  for (const char* key : {"tool_load_seconds", "tool_select_seconds", "tool_export_until_dialog_seconds",
                          "tool_close_seconds"})
    EXPECT_GE(tool.Number(key), 0) << key;
  // A difference of two timings: on a tiny table it may come out below 0.
  EXPECT_TRUE(tool.values.count("tool_export_own_seconds"));
  EXPECT_EQ(tool.Number("tool_export_lines"), rows);
  // Read from Linux's /proc: a Wine process holds megabytes.
  EXPECT_GT(tool.Number("tool_peak_kb"), 1000);
  EXPECT_GE(tool.Number("tool_peak_kb"), tool.Number("tool_rss_kb"));

  BenchRun list = RunBench("baselines.exe", "list " + db + " " + std::to_string(rows) + " " +
                                           e2e::OutputPath("bench-smoke-baseline.txt"));
  EXPECT_EQ(list.exitCode, 0u);
  EXPECT_EQ(list.Number("list_rows"), rows);
  EXPECT_GT(list.Number("list_peak_kb"), 1000);
  for (const char* key : {"list_fill_seconds", "list_select_seconds", "list_export_seconds"})
    EXPECT_GE(list.Number(key), 0) << key;
  // The baseline writes what the tool writes in the default field order.
  EXPECT_EQ(driver::ReadFileBytes(e2e::OutputPath("bench-smoke-baseline.txt")),
            driver::ReadFileBytes(e2e::OutputPath("bench-smoke.txt")));

  for (const char* mode : {"transaction", "autocommit"}) {
    BenchRun sql = RunBench("baselines.exe", std::string("sql ") + db + " " + std::to_string(rows) + " " + mode);
    EXPECT_EQ(sql.exitCode, 0u) << mode;
    EXPECT_EQ(sql.Number(std::string("sql_") + mode + "_rows"), rows) << mode;
  }
}

INSTANTIATE_TEST_SUITE_P(TinyTables, BenchSmoke, ::testing::Values(0, 3));

}  // namespace
