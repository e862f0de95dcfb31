// The connection itself says whether a transaction is open
// (sqlite3_get_autocommit): an error that made SQLite roll back on its own
// is then seen, and nothing here can disagree with it.
#include "db/read_transaction.h"

#include <windows.h>
#include <sqlite3.h>

namespace db {
namespace {

// GetTickCount moves in steps of 10 to 16 ms, too coarse for the bound.
int64_t NowTicks() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

int64_t BoundTicks() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart * kReadTransactionBoundUs / 1000000;
}

}  // namespace

void ReadTransaction::Begin(sqlite3* connection) {
  if (!sqlite3_get_autocommit(connection)) return;
  if (sqlite3_exec(connection, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK)
    begunAt_ = NowTicks();
}

void ReadTransaction::EndIfOlderThanBound(sqlite3* connection) {
  if (sqlite3_get_autocommit(connection)) return;
  static const int64_t bound = BoundTicks();
  if (NowTicks() - begunAt_ > bound) End(connection);
}

void ReadTransaction::End(sqlite3* connection) {
  // COMMIT ends a read-only transaction by dropping the shared lock, and
  // leaves alone whatever someone else may have written on the connection
  // meanwhile. Should it be refused, ROLLBACK still lets the lock go.
  if (sqlite3_get_autocommit(connection)) return;
  if (sqlite3_exec(connection, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
    sqlite3_exec(connection, "ROLLBACK", nullptr, nullptr, nullptr);
}

}  // namespace db
