// Operates the real tool as a user would and times each step from outside:
// start until "共:n", Ctrl+A until "选中:n", an export of every row through
// the real save dialog, and closing the window until the process ended.
//
//   bench_driver.exe steps ROWS SERVER OUTPUT-FILE
//   bench_driver.exe writer NAME ROWS SERVER WRITER-EXE DB-PATH HOLD-MS REST-MS SECONDS BUSY-MS
//
// The writer mode runs tools/server_writer beside a load of the tool (or
// alone when ROWS is 0) and prints its figures as NAME_key=value: the
// load's time until "共:ROWS" or a message box, the caption and the box's
// text, and the writer's commits and worst commit wait.
//
// SERVER names the folder C:\SERVER that holds config\quillnode.db. The
// export's own work is told apart from the dialog's by exporting an empty
// selection first: the same clicks and dialog, no rows. Prints key=value
// lines (seconds, kilobytes) for bench/report.py.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "tools/driver/process_probe.h"
#include "tools/driver/tool_session.h"

namespace {

constexpr DWORD kLongWaitMs = 600000;

struct ExportTimes {
  double untilDialog = 0;  // click until the dialog shows
  double afterDialog = 0;  // the dialog answered until the handler is done
  bool ok = false;
};

ExportTimes TimeExport(e2e::Tool& tool, const std::string& path) {
  ExportTimes t;
  DeleteFileW(driver::Wide(path).c_str());
  double t0 = bench::Now();
  PostMessageW(tool.Control(e2e::kExportId), BM_CLICK, 0, 0);
  if (!tool.WaitForBox(kLongWaitMs)) return t;
  t.untilDialog = bench::Now() - t0;
  // The dialog fills its boxes after it shows; a name typed before that is
  // lost. The pause is the same in both exports, so it cancels out.
  Sleep(300);
  // Typing the name and pressing OK take the same time in both exports.
  t0 = bench::Now();
  t.ok = tool.AnswerFileDialog(path, kLongWaitMs);
  tool.Sync();
  t.afterDialog = bench::Now() - t0;
  return t;
}

size_t CountLines(const std::string& bytes) {
  size_t n = 0;
  for (size_t i = 0; i + 1 < bytes.size(); i++) n += bytes[i] == '\r' && bytes[i + 1] == '\n';
  return n;
}

// Starts the tool and waits until it shows every row or a message box,
// which it answers (its text in *box). Seconds from the start, -1 when
// neither came. The caption is read without a message, so that a tool busy
// loading does not hold the poll.
double Load(e2e::Tool& tool, int rows, std::string* box) {
  double t0 = bench::Now();
  if (!tool.Launch()) return -1;
  const std::string all = model::TotalCaption(rows);
  for (DWORD start = GetTickCount(); GetTickCount() - start < kLongWaitMs; Sleep(5)) {
    if (HWND b = tool.WaitForBox(0)) {
      double seconds = bench::Now() - t0;
      *box = driver::ReadMessageBox(b).text;
      driver::PressButton(b, IDOK);
      tool.WaitForMain(kLongWaitMs);
      return seconds;
    }
    if ((tool.main() || tool.WaitForMain(0)) && driver::WindowText(tool.Control(e2e::kTotalLabelId)) == all)
      return bench::Now() - t0;
  }
  return -1;
}

bool StartAndLoad(e2e::Tool& tool, int rows, double* seconds) {
  std::string box;
  *seconds = Load(tool, rows, &box);
  return *seconds >= 0 && box.empty();
}

double CloseAndWait(e2e::Tool& tool, DWORD* exitCode) {
  double t0 = bench::Now();
  PostMessageA(tool.main(), WM_CLOSE, 0, 0);
  bool ended = tool.process().WaitForExit(kLongWaitMs, exitCode);
  return ended ? bench::Now() - t0 : -1;
}

int RunSteps(int rows, const std::string& server, const std::string& output) {
  CreateDirectoryW(driver::Wide(output.substr(0, output.find_last_of('\\'))).c_str(), nullptr);
  e2e::SetImagePath("C:\\" + server + "\\server64.exe");
  e2e::Tool tool;
  double load = 0;
  if (!StartAndLoad(tool, rows, &load)) {
    fprintf(stderr, "bench_driver: the tool did not show 共:%d (it shows \"%s\")\n", rows,
            tool.TotalCaption().c_str());
    return 2;
  }
  printf("tool_load_seconds=%.3f\n", load);
  tool.Sync();
  int linuxPid = driver::FindLinuxProcess("machine-list-export.exe");
  auto memory = [linuxPid] { return driver::LinuxMemoryOf(linuxPid); };
  printf("tool_rss_after_load_kb=%lld\ntool_peak_after_load_kb=%lld\n", memory().residentKb, memory().peakKb);

  // The dialog's first showing loads its code; then the same export of an
  // empty selection, to another file.
  TimeExport(tool, output + ".empty.txt");
  ExportTimes empty = TimeExport(tool, output + ".empty.txt");

  double t0 = bench::Now();
  std::string selected = model::SelectedCaption(rows);
  bool all = tool.KeysUntil({VK_CONTROL, 'A'},
                            [&] { return driver::WindowText(tool.Control(e2e::kSelectedLabelId)) == selected; },
                            kLongWaitMs);
  double selectAll = bench::Now() - t0;
  tool.Sync();
  if (!all) fprintf(stderr, "bench_driver: Ctrl+A did not select %d rows\n", rows);
  printf("tool_select_seconds=%.3f\n", selectAll);
  printf("tool_rss_after_select_kb=%lld\n", memory().residentKb);

  ExportTimes full = TimeExport(tool, output);
  size_t lines = CountLines(driver::ReadFileBytes(output));
  printf("tool_export_until_dialog_seconds=%.3f\ntool_export_after_dialog_seconds=%.3f\n", full.untilDialog,
         full.afterDialog);
  printf("dialog_only_until_seconds=%.3f\ndialog_only_after_seconds=%.3f\n", empty.untilDialog, empty.afterDialog);
  printf("tool_export_own_seconds=%.3f\n",
         (full.untilDialog - empty.untilDialog) + (full.afterDialog - empty.afterDialog));
  printf("tool_export_lines=%zu\n", lines);

  driver::LinuxMemory mem = memory();
  printf("tool_peak_kb=%lld\ntool_rss_kb=%lld\n", mem.peakKb, mem.residentKb);

  DWORD code = 0;
  printf("tool_close_seconds=%.3f\n", CloseAndWait(tool, &code));
  return all && full.ok && lines == static_cast<size_t>(rows) ? 0 : 3;
}

// Starts the writer with its output in a pipe; the read end is returned.
bool StartWriter(const std::string& commandLine, PROCESS_INFORMATION* info, HANDLE* output) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE writeEnd;
  if (!CreatePipe(output, &writeEnd, &inherit, 0)) return false;
  SetHandleInformation(*output, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = writeEnd;
  std::wstring line = driver::Wide(commandLine);
  bool started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, info);
  CloseHandle(writeEnd);
  return started;
}

int RunWriter(const std::string& name, int rows, const std::string& server, const std::string& writerExe,
              const std::string& dbPath, int holdMs, int restMs, int seconds, int busyMs) {
  e2e::SetImagePath("C:\\" + server + "\\server64.exe");
  PROCESS_INFORMATION writer{};
  HANDLE output = nullptr;
  std::string command = "\"" + writerExe + "\" \"" + dbPath + "\" " + std::to_string(holdMs) + " " +
                        std::to_string(restMs) + " " + std::to_string(seconds) + " " + std::to_string(busyMs);
  if (!StartWriter(command, &writer, &output)) {
    fprintf(stderr, "bench_driver: could not start %s\n", writerExe.c_str());
    return 2;
  }
  Sleep(500);  // the writer is in its loop
  bool loaded = true;
  if (rows > 0) {
    e2e::Tool tool;
    std::string box;
    double load = Load(tool, rows, &box);
    loaded = load >= 0;
    printf("%s_tool_total=%s\n%s_tool_load_seconds=%.3f\n%s_tool_box=%s\n", name.c_str(),
           tool.TotalCaption().c_str(), name.c_str(), load, name.c_str(), box.empty() ? "-" : box.c_str());
    DWORD code = 0;
    if (tool.main()) CloseAndWait(tool, &code);
  }
  std::string text;
  char buffer[512];
  DWORD got = 0;
  while (ReadFile(output, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  WaitForSingleObject(writer.hProcess, kLongWaitMs);
  CloseHandle(output);
  CloseHandle(writer.hProcess);
  CloseHandle(writer.hThread);
  // The writer's own line: commits=N busy=N worst_wait_ms=X.
  for (const char* key : {"commits=", "busy=", "worst_wait_ms="}) {
    size_t at = text.find(key);
    if (at != std::string::npos)
      printf("%s_%.*s=%s\n", name.c_str(), static_cast<int>(strlen(key) - 1), key,
             std::to_string(atof(text.c_str() + at + strlen(key))).c_str());
  }
  return loaded ? 0 : 3;
}

}  // namespace

int main() {
  setvbuf(stdout, nullptr, _IONBF, 0);  // figures show as they come, even from a run that stalls
  // main's argv would arrive in the system code page.
  const std::vector<std::string> a = driver::Arguments();
  auto number = [&a](size_t i) { return atoi(a[i].c_str()); };
  if (a.size() == 4 && a[0] == "steps") return RunSteps(number(1), a[2], a[3]);
  if (a.size() == 10 && a[0] == "writer")
    return RunWriter(a[1], number(2), a[3], a[4], a[5], number(6), number(7), number(8), number(9));
  fprintf(stderr,
          "usage: bench_driver steps ROWS SERVER OUTPUT | "
          "writer NAME ROWS SERVER WRITER DB HOLD_MS REST_MS SECONDS BUSY_MS\n");
  return 64;
}
