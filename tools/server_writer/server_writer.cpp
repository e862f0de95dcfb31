// Plays the diskless-boot server writing its machine table while the tool
// reads it: a console program, run under Wine beside the tool, so that its
// file locks and the tool's really meet in the Wine server.
//
//   server_writer.exe DB HOLD_MS REST_MS SECONDS [BUSY_TIMEOUT_MS]
//
// For SECONDS it repeats: BEGIN EXCLUSIVE, rewrite one row of tPcBaseInfo in
// place (row ids in turn; the values stay the same), hold the lock HOLD_MS,
// COMMIT, rest REST_MS. With BUSY_TIMEOUT_MS it waits that long for its
// lock; without, a lock it cannot take at once counts as busy. At the end
// it prints one line:
//
//   commits=N busy=N worst_wait_ms=X
//
// where X is the longest time from asking for the lock to the commit being
// done, less the hold: what the readers cost the writer.
#include <windows.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Options {
  const char* database;
  int holdMs, restMs, seconds, busyTimeoutMs;
};

bool ParseInt(const char* text, int* out) {
  char* end = nullptr;
  long v = strtol(text, &end, 10);
  if (!*text || *end || v < 0 || v > 86400000) return false;
  *out = static_cast<int>(v);
  return true;
}

bool ParseOptions(int argc, char** argv, Options* o) {
  if (argc < 5 || argc > 6) return false;
  o->database = argv[1];
  o->busyTimeoutMs = 0;
  return ParseInt(argv[2], &o->holdMs) && ParseInt(argv[3], &o->restMs) && ParseInt(argv[4], &o->seconds) &&
         (argc < 6 || ParseInt(argv[5], &o->busyTimeoutMs));
}

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Command-line arguments come in the system code page; SQLite wants UTF-8.
std::string Utf8FromAnsi(const char* text) {
  int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring wide(n > 0 ? n : 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), n);
  int m = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(m > 0 ? m : 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, out.data(), m, nullptr, nullptr);
  return out.c_str();
}

bool Exec(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

std::vector<sqlite3_int64> RowIds(sqlite3* db) {
  std::vector<sqlite3_int64> ids;
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db, "SELECT _ROWID_ FROM tPcBaseInfo ORDER BY _ROWID_", -1, &st, nullptr) == SQLITE_OK)
    while (sqlite3_step(st) == SQLITE_ROW) ids.push_back(sqlite3_column_int64(st, 0));
  sqlite3_finalize(st);
  return ids;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, &o)) {
    fprintf(stderr, "usage: server_writer DB HOLD_MS REST_MS SECONDS [BUSY_TIMEOUT_MS]\n");
    return 2;
  }
  sqlite3* db = nullptr;
  if (sqlite3_open(Utf8FromAnsi(o.database).c_str(), &db) != SQLITE_OK) {
    fprintf(stderr, "server_writer: cannot open %s\n", o.database);
    sqlite3_close(db);
    return 2;
  }
  sqlite3_busy_timeout(db, o.busyTimeoutMs);
  std::vector<sqlite3_int64> ids = RowIds(db);
  if (ids.empty()) {
    fprintf(stderr, "server_writer: no rows in tPcBaseInfo\n");
    sqlite3_close(db);
    return 2;
  }

  long commits = 0, busy = 0;
  double worstWaitMs = 0;
  size_t next = 0;
  for (double end = NowMs() + 1000.0 * o.seconds; NowMs() < end;) {
    double asked = NowMs();
    if (!Exec(db, "BEGIN EXCLUSIVE")) {
      busy++;
      Sleep(o.restMs);
      continue;
    }
    std::string update = "UPDATE tPcBaseInfo SET mac = mac WHERE _ROWID_ = " + std::to_string(ids[next]);
    next = (next + 1) % ids.size();
    bool written = Exec(db, update.c_str());
    Sleep(o.holdMs);
    if (written && Exec(db, "COMMIT")) {
      commits++;
      double waited = NowMs() - asked - o.holdMs;
      if (waited > worstWaitMs) worstWaitMs = waited;
    } else {
      busy++;
      Exec(db, "ROLLBACK");
    }
    Sleep(o.restMs);
  }
  sqlite3_close(db);
  printf("commits=%ld busy=%ld worst_wait_ms=%.1f\n", commits, busy, worstWaitMs);
  return 0;
}
