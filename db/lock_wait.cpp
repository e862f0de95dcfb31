#include "db/lock_wait.h"

#include <windows.h>
#include <sqlite3.h>

#include <algorithm>
#include <iterator>

#include "db/ticks.h"

namespace db {
namespace {

int64_t TicksPerMs() { return std::max<int64_t>(TicksPerSecond() / 1000, 1); }

// SQLite calls this each time a lock it needs is taken; `attempt` counts
// the calls for the same lock from 0. Nonzero means "try again". The steps
// grow as SQLite's own do but stop at 25 ms (SQLite's go on to 100 ms): a
// server that rests only a moment between long writes still lets a reader
// in that looks that often.
int WaitForLock(void* context, int attempt) {
  static constexpr int kStepsMs[] = {1, 2, 5, 10, 15, 20, 25};
  static const int64_t ticksPerMs = TicksPerMs();
  auto* waits = static_cast<LockWaits*>(context);
  const int64_t leftMs = (kLockWaitBudgetMs * ticksPerMs - waits->spentTicks + ticksPerMs - 1) / ticksPerMs;
  if (leftMs <= 0) return 0;
  const int last = static_cast<int>(std::size(kStepsMs)) - 1;
  const int64_t stepMs = std::min<int64_t>(kStepsMs[std::min(attempt, last)], leftMs);
  const int64_t before = NowTicks();
  Sleep(static_cast<DWORD>(stepMs));
  waits->spentTicks += NowTicks() - before;
  return 1;
}

}  // namespace

void LimitLockWaits(sqlite3* connection, LockWaits* waits) {
  sqlite3_busy_handler(connection, &WaitForLock, waits);
}

}  // namespace db
