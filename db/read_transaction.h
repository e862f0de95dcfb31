// Short read transactions for the table cursor's field reads.
//
// Outside a transaction every statement takes and drops the database file's
// shared lock (under Wine each lock call is a round trip to the Wine server:
// about 0.3 ms a query), and the reads of one record could see different
// states of a table that the server writes meanwhile. So a read begins a
// deferred transaction when none is open, and the cursor ends it when it
// moves and the transaction is older than kReadTransactionBoundUs, when it
// leaves the records, when a read fails and when it closes: the reads of
// one record share one state, a writer waits at most about that bound for
// the shared lock to go, and no lock is held once the reads are done. Only
// BEGIN and COMMIT (ROLLBACK should COMMIT be refused) run here; nothing is
// ever written.
#pragma once

#include <cstdint>

struct sqlite3;

namespace db {

// Long enough that the lock traffic (one lock and one unlock per
// transaction) costs a few percent of the reads, short enough that the
// server's commits are barely delayed.
inline constexpr int kReadTransactionBoundUs = 5000;

// One reader's transaction. It ends only a transaction that it began
// itself: two cursors on one connection share whatever transaction is open,
// and neither ends the other's.
class ReadTransaction {
 public:
  // Begins a deferred transaction on the connection unless one is open
  // (this reader's or anyone else's). When BEGIN fails the reads simply
  // run one by one.
  void Begin(sqlite3* connection);
  // Ends this reader's transaction when it has been open longer than the
  // bound.
  void EndIfOlderThanBound();
  // Ends this reader's transaction, if it has one. The connection it began
  // on must still be open (see Forget).
  void End();
  // The connection was closed under the reader: closing rolled the
  // transaction back, and the handle must not be touched again.
  void Forget() { connection_ = nullptr; }

 private:
  // Whether the transaction this reader began is still open. SQLite rolls
  // a transaction back by itself after some errors; it is then no longer
  // this reader's to end.
  bool StillOpen();

  sqlite3* connection_ = nullptr;  // set while this reader's transaction is open
  int64_t begunAt_ = 0;            // performance-counter ticks
};

}  // namespace db
