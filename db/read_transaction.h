// Short read transactions for the table cursor's field reads.
//
// Outside a transaction every statement takes and drops the database file's
// shared lock (under Wine each lock call is a round trip to the Wine server:
// about 0.3 ms a query), and the reads of one record could see different
// states of a table that the server writes meanwhile. So a read begins a
// deferred transaction when none is open, and the cursor ends it when it
// moves and the transaction is older than kReadTransactionBoundUs: the reads
// of one record share one state, and a writer waits at most about that
// bound for the shared lock to go. Only BEGIN and COMMIT (ROLLBACK should
// COMMIT be refused) run here; nothing is ever written.
#pragma once

#include <cstdint>

struct sqlite3;

namespace db {

// Long enough that the lock traffic (one lock and one unlock per
// transaction) costs a few percent of the reads, short enough that the
// server's commits are barely delayed.
inline constexpr int kReadTransactionBoundUs = 5000;

class ReadTransaction {
 public:
  // Begins a deferred transaction on the connection unless one is open.
  // When BEGIN fails the reads simply run one by one.
  void Begin(sqlite3* connection);
  // Ends the transaction when it has been open longer than the bound.
  void EndIfOlderThanBound(sqlite3* connection);
  // Ends the transaction that is open on the connection, if any. The caller
  // guarantees that the connection is still open.
  static void End(sqlite3* connection);

 private:
  int64_t begunAt_ = 0;  // performance-counter ticks
};

}  // namespace db
