#include "db/lock_wait.h"

#include <windows.h>
#include <sqlite3.h>

#include <algorithm>
#include <iterator>

#include "db/connection_registry.h"
#include "db/ticks.h"

namespace db {
namespace {

// SQLite calls this each time a lock it needs is taken; `attempt` counts
// the calls for the same lock from 0. Nonzero means "try again". The steps
// grow as SQLite's own do but stop at 25 ms (SQLite's go on to 100 ms): a
// server that rests only a moment between long writes still lets a reader
// in that looks that often.
int WaitForLock(void* context, int attempt) {
  static constexpr int kStepsMs[] = {1, 2, 5, 10, 15, 20, 25};
  static const int64_t ticksPerSecond = TicksPerSecond();
  auto* waits = static_cast<LockWaits*>(context);
  const int64_t leftTicks = int64_t{waits->budgetMs} * ticksPerSecond / 1000 - waits->spentTicks;
  if (leftTicks <= 0) return 0;
  const int64_t leftMs = leftTicks * 1000 / ticksPerSecond + 1;
  const int step = kStepsMs[std::min<size_t>(attempt, std::size(kStepsMs) - 1)];
  const int64_t before = NowTicks();
  Sleep(static_cast<DWORD>(std::min<int64_t>(step, leftMs)));
  waits->spentTicks += NowTicks() - before;
  return 1;
}

}  // namespace

void LimitLockWaits(sqlite3* connection, LockWaits* waits) {
  sqlite3_busy_handler(connection, &WaitForLock, waits);
}

int SetLockWaitBudget(sqlite3* connection, int budgetMs) {
  LockWaits* waits = LockWaitsOf(connection);
  if (!waits) return -1;
  int previous = waits->budgetMs;
  waits->budgetMs = budgetMs;
  return previous;
}

}  // namespace db
