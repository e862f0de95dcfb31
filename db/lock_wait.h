// How long one connection may wait, in all, for other connections' locks.
//
// The program reads on its only thread: while a read waits for the server's
// lock the window takes no messages, and Windows calls a window hung once
// it has taken none for 5 s. A busy timeout bounds each lock request, not
// their sum: a server that holds its lock almost all the time makes every
// new read transaction wait again, and a load of many records could then
// take minutes. So every wait of a connection is counted against one
// budget for the connection's whole life (the program opens the database
// for one load and closes it after). Once the budget is spent, a lock that
// is not free at once fails its statement with SQLITE_BUSY, as the busy
// timeout did, and the reader stops with what it has.
#pragma once

#include <cstdint>

struct sqlite3;

namespace db {

// Two seconds: one wait as long as the former per-request busy timeout
// still ends in success (a long write of the server, a slow disk), and the
// rest of the 5 s before Windows calls the window hung is left to reading
// and showing the records: up to about 50,000 machines under Wine.
inline constexpr int kLockWaitBudgetMs = 2000;

struct LockWaits {
  int64_t spentTicks = 0;  // performance-counter ticks spent waiting so far
  int budgetMs = kLockWaitBudgetMs;
};

// Makes `waits` the connection's busy handler: a lock that is taken waits
// in short steps (1 ms growing to 25 ms) until it is free or the budget is
// spent. `waits` must outlive the handler (clear it with
// sqlite3_busy_handler before `waits` goes).
void LimitLockWaits(sqlite3* connection, LockWaits* waits);

// Gives a connection that SqliteDB::Open opened another budget (in ms, from
// now on, against what it has spent already) and answers the one it had;
// -1 for any other handle. Tests use it to see the budget end a wait
// without waiting the program's two seconds; the program never calls it.
int SetLockWaitBudget(sqlite3* connection, int budgetMs);

}  // namespace db
