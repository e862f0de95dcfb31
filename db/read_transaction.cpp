// The connection itself says whether a transaction is open
// (sqlite3_get_autocommit): an error that made SQLite roll back on its own
// is then seen, and nothing here can disagree with it.
#include "db/read_transaction.h"

#include <sqlite3.h>

#include "db/ticks.h"

namespace db {

bool ReadTransaction::StillOpen() {
  if (connection_ && sqlite3_get_autocommit(connection_)) connection_ = nullptr;
  return connection_ != nullptr;
}

void ReadTransaction::Begin(sqlite3* connection) {
  if (StillOpen() || !sqlite3_get_autocommit(connection)) return;
  if (sqlite3_exec(connection, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) return;
  connection_ = connection;
  begunAt_ = NowTicks();
}

void ReadTransaction::EndIfOlderThanBound() {
  static const int64_t bound = TicksPerSecond() * kReadTransactionBoundUs / 1000000;
  if (connection_ && NowTicks() - begunAt_ > bound) End();
}

void ReadTransaction::End() {
  // COMMIT ends a read-only transaction by dropping the shared lock. Should
  // it be refused, ROLLBACK still lets the lock go.
  if (!StillOpen()) return;
  if (sqlite3_exec(connection_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
    sqlite3_exec(connection_, "ROLLBACK", nullptr, nullptr, nullptr);
  connection_ = nullptr;
}

}  // namespace db
