// What the tool's steps need at the least, measured the plainest way on the
// same machine table: the per-field queries of a load, with and without one
// read transaction, and a plain report-mode list view in this process
// (filled, every row selected, the selected rows' texts written to a file),
// with this process's peak memory as Linux counts it.
//
//   baselines.exe sql DB ROWS autocommit|transaction
//   baselines.exe list DB ROWS OUTPUT-FILE
//
// Prints key=value lines (seconds, kilobytes) for bench/report.py.
#include <windows.h>
#include <commctrl.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "tools/driver/process_probe.h"
#include "tools/model/tool_model.h"

namespace {

std::vector<sqlite3_int64> RowIds(sqlite3* db) {
  std::vector<sqlite3_int64> ids;
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "SELECT _ROWID_ FROM tPcBaseInfo ORDER BY _ROWID_", -1, &st, nullptr);
  while (sqlite3_step(st) == SQLITE_ROW) ids.push_back(sqlite3_column_int64(st, 0));
  sqlite3_finalize(st);
  return ids;
}

// One field of one record, as one statement of its own (the tool's form).
std::string ReadField(sqlite3* db, const char* field, sqlite3_int64 id) {
  std::string sql = std::string("SELECT ") + field + " FROM tPcBaseInfo WHERE _ROWID_ = " + std::to_string(id);
  sqlite3_stmt* st = nullptr;
  std::string value;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW) {
    auto text = sqlite3_column_text(st, 0);
    if (text) value = reinterpret_cast<const char*>(text);
  }
  sqlite3_finalize(st);
  return value;
}

int RunSql(const char* path, int rows, bool oneTransaction) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path, &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return 1;
  std::vector<sqlite3_int64> ids = RowIds(db);
  double t0 = bench::Now();
  if (oneTransaction) sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  size_t named = 0;
  for (sqlite3_int64 id : ids) {
    if (ReadField(db, "MACHINE", id).empty()) continue;
    ReadField(db, "ip", id);
    ReadField(db, "MACHINE", id);
    named += !ReadField(db, "mac", id).empty();
  }
  if (oneTransaction) sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  double seconds = bench::Now() - t0;
  sqlite3_close(db);
  printf("%s_seconds=%.3f\n%s_rows=%zu\n", oneTransaction ? "sql_transaction" : "sql_autocommit", seconds,
         oneTransaction ? "sql_transaction" : "sql_autocommit", named);
  return named == static_cast<size_t>(rows) ? 0 : 2;
}

// The three texts of every record, GBK as the tool shows them.
std::vector<std::string> ReadTexts(const char* path) {
  std::vector<std::string> texts;
  sqlite3* db = nullptr;
  sqlite3_open_v2(path, &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "SELECT MACHINE, mac, ip FROM tPcBaseInfo ORDER BY _ROWID_", -1, &st, nullptr);
  while (sqlite3_step(st) == SQLITE_ROW) {
    wchar_t wide[256];
    char gbk[512];
    MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), -1, wide, 256);
    WideCharToMultiByte(936, 0, wide, -1, gbk, sizeof gbk, nullptr, nullptr);
    texts.push_back(gbk);
    texts.push_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
    auto ip = static_cast<uint32_t>(sqlite3_column_int64(st, 2));
    char dotted[16];
    snprintf(dotted, sizeof dotted, "%u.%u.%u.%u", ip & 0xFF, (ip >> 8) & 0xFF, (ip >> 16) & 0xFF, ip >> 24);
    texts.push_back(dotted);
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
  return texts;
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

HWND MakeList() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  HWND top = CreateWindowExA(0, "STATIC", "baseline", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND lv = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0,
                            620, 440, top, nullptr, GetModuleHandleA(nullptr), nullptr);
  for (int c = 0; c < 3; c++) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.cx = 180;
    col.pszText = const_cast<char*>(model::kFields[c].title);
    col.iSubItem = c;
    SendMessageA(lv, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&col));
  }
  Pump();
  return lv;
}

int RunList(const char* path, int rows, const char* output) {
  std::vector<std::string> texts = ReadTexts(path);
  HWND lv = MakeList();
  const int n = static_cast<int>(texts.size() / 3);

  double t0 = bench::Now();
  SendMessageA(lv, WM_SETREDRAW, FALSE, 0);
  for (int k = 0; k < n; k++) {
    LVITEMA it{};
    it.mask = LVIF_TEXT;
    it.iItem = k;
    it.pszText = texts[3 * k].data();
    SendMessageA(lv, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it));
    for (int c = 1; c < 3; c++) {
      it.iSubItem = c;
      it.pszText = texts[3 * k + c].data();
      SendMessageA(lv, LVM_SETITEMTEXTA, k, reinterpret_cast<LPARAM>(&it));
    }
  }
  SendMessageA(lv, WM_SETREDRAW, TRUE, 0);
  Pump();
  double fill = bench::Now() - t0;

  // Drawing is held as the tool holds it while a handler changes the list.
  t0 = bench::Now();
  SendMessageA(lv, WM_SETREDRAW, FALSE, 0);
  for (int k = 0; k < n; k++) {
    LVITEMA it{};
    it.state = it.stateMask = LVIS_SELECTED;
    SendMessageA(lv, LVM_SETITEMSTATE, k, reinterpret_cast<LPARAM>(&it));
  }
  SendMessageA(lv, WM_SETREDRAW, TRUE, 0);
  Pump();
  double select = bench::Now() - t0;

  t0 = bench::Now();
  std::string out;
  char buffer[512];
  // The export in the default field order; the bench's fields are never empty.
  for (int i = -1; (i = static_cast<int>(SendMessageA(lv, LVM_GETNEXTITEM, i, LVNI_SELECTED))) >= 0;) {
    for (int k = 0; k < 3; k++) {
      LVITEMA it{};
      it.iSubItem = model::kDefaultOrder[k];
      it.pszText = buffer;
      it.cchTextMax = sizeof buffer;
      int len = static_cast<int>(SendMessageA(lv, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&it)));
      if (k) out += model::kFieldSeparator;
      out.append(buffer, len);
    }
    out += model::kLineEnd;
  }
  HANDLE file = CreateFileA(output, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
  CloseHandle(file);
  double exportSeconds = bench::Now() - t0;

  // Found by its command line as the tool is, so both figures come alike.
  driver::LinuxMemory mem = driver::LinuxMemoryOf(driver::FindLinuxProcess("baselines.exe"));
  printf("list_fill_seconds=%.3f\nlist_select_seconds=%.3f\nlist_export_seconds=%.3f\n", fill, select,
         exportSeconds);
  printf("list_rows=%d\nlist_peak_kb=%lld\nlist_rss_kb=%lld\n", n, mem.peakKb, mem.residentKb);
  double close0 = bench::Now();
  DestroyWindow(GetParent(lv));
  printf("list_close_seconds=%.3f\n", bench::Now() - close0);
  return n == rows && written == out.size() ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && !strcmp(argv[1], "sql")) return RunSql(argv[2], atoi(argv[3]), !strcmp(argv[4], "transaction"));
  if (argc == 5 && !strcmp(argv[1], "list")) return RunList(argv[2], atoi(argv[3]), argv[4]);
  fprintf(stderr, "usage: baselines sql DB ROWS autocommit|transaction | baselines list DB ROWS OUTPUT\n");
  return 64;
}
