// How the tool's per-row work grows with the machine table: loading the
// table into the list, Ctrl+A (select every row and count them) and building
// the export text, each at a small table and at one ten times larger.
//
// Prints the cost per row at each size and the ratio large / small: about 1
// means the work grows linearly, about 10 means it grows with the square.
// Also prints how much the resident memory grew over repeated reloads of
// the large table, read from Linux (/proc through Wine's Z: drive): freed
// blocks are reused, so a reload that frees what the last one allocated
// leaves it near zero, and a leak shows as its size times the reloads.
#include <windows.h>
#include <sqlite3.h>

#include <cstdio>
#include <string>

#include "app/export.h"
#include "app/globals.h"
#include "app/handler_table.h"
#include "app/load_machines.h"
#include "app/main_window_template.h"
#include "app/program.h"
#include "app/runtime_calls.h"
#include "bench/bench_clock.h"
#include "tools/driver/process_probe.h"
#include "tools/model/tool_model.h"
#include "ui/combo/combo_unit.h"
#include "ui/framework/host.h"

namespace {

// Found by its command line: Wine's /proc/self is not this program.
long long ResidentKb() {
  static const int pid = driver::FindLinuxProcess("machine_list_bench.exe");
  return driver::LinuxMemoryOf(pid).residentKb;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// The server's table of n records in a fresh file: names with Chinese
// characters, MAC texts and addresses as the server stores them.
std::string MakeTable(int n) {
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  std::string path = std::string(folder) + "machine_list_bench_" + std::to_string(n) + ".db";
  DeleteFileA(path.c_str());
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  sqlite3_exec(db, model::kCreateTableSql, nullptr, nullptr, nullptr);
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(db, model::kInsertSql, -1, &insert, nullptr);
  for (int k = 0; k < n; k++) {
    char name[32], mac[32];
    snprintf(name, sizeof name, "\xE6\x9C\xBA\xE5\x99\xA8-%05d", k);  // UTF-8 "机器-"
    snprintf(mac, sizeof mac, "00-1A-2B-%02X-%02X-%02X", (k >> 16) & 0xFF, (k >> 8) & 0xFF, k & 0xFF);
    sqlite3_bind_text(insert, 1, name, -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 2, mac, -1, SQLITE_TRANSIENT);
    sqlite3_bind_int64(insert, 3, 0x0001A8C0 + (static_cast<int64_t>(k & 0xFF) << 24));
    sqlite3_step(insert);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  return path;
}

struct Costs {
  double load, selectAll, exportText;  // seconds per row
};

Costs Measure(int n) {
  std::string path = MakeTable(n);
  Assign(DatabasePath, RtCopyText(path.c_str(), static_cast<int32_t>(path.size())));
  Costs c{};

  double t0 = bench::Now();
  ReloadMachines();
  Pump();  // the list is drawn
  c.load = (bench::Now() - t0) / n;

  t0 = bench::Now();
  OnListKeyDown('A', 1);  // Ctrl+A
  Pump();
  c.selectAll = (bench::Now() - t0) / n;

  t0 = bench::Now();
  std::string text = ExportText(SelectedRows);
  c.exportText = (bench::Now() - t0) / n;

  if (RtArrayCountOrNull(Machines) != n || RtArrayCountOrNull(SelectedRows) != n || text.size() < size_t(n) * 20)
    fprintf(stderr, "warning: %d rows gave %d machines, %d selected, %u bytes\n", n,
            RtArrayCountOrNull(Machines), RtArrayCountOrNull(SelectedRows), unsigned(text.size()));
  DeleteFileA(path.c_str());
  return c;
}

void Report(const char* what, double small, double large) {
  printf("%-28s %10.1f us/row %10.1f us/row   ratio %5.2f\n", what, small * 1e6, large * 1e6, large / small);
}

}  // namespace

int main(int argc, char** argv) {
  const int small = argc > 1 ? atoi(argv[1]) : 1000;
  const int large = small * 10;

  if (!RtInitializeForTests(&ProgramDescriptor(), &UnitFrameworkHost())) return 1;
  InitGlobals();
  // The window is built with its events held back: its created event would
  // look for the server's database and show a box on failure.
  EventSuppressCount()++;
  bool loaded = UnitFrameworkHost().loadWindow(kMainWindowId, false, nullptr);
  EventSuppressCount()--;
  if (!loaded) return 1;
  WriteIntProperty(kCombo1Id, kComboSelection, 0);
  WriteIntProperty(kCombo2Id, kComboSelection, 1);
  WriteIntProperty(kCombo3Id, kComboSelection, 2);
  Pump();

  Measure(small);  // warm-up: code, fonts and SQLite's first touches
  Costs a = Measure(small);
  Costs b = Measure(large);
  printf("%-28s %17d %17d\n", "rows", small, large);
  Report("load (read + fill list)", a.load, b.load);
  Report("Ctrl+A (select + count)", a.selectAll, b.selectAll);
  Report("export text", a.exportText, b.exportText);

  long long before = ResidentKb();
  for (int k = 0; k < 3; k++) Measure(large);
  long long after = ResidentKb();
  printf("resident memory: %lld KiB, grown by %+lld KiB over 3 more reloads of %d rows\n", after,
         after - before, large);

  ReleaseGlobals();
  UnitFrameworkHost().releaseTemplates();
  return 0;
}
