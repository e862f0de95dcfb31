// The connections that SqliteDB objects hold open right now.
//
// A table object keeps a copy of its database's connection handle without
// owning it, and the database object may close or re-open meanwhile. Each
// open is registered with a serial number that is never reused; a table
// checks its (handle, serial) pair here before it touches the handle, so a
// closed connection is never used (a new one at the same address has
// another serial). The registry also keeps what each connection has waited
// for locks (see lock_wait.h).
#pragma once

#include <cstdint>

#include "db/lock_wait.h"

struct sqlite3;

namespace db {

// Registers an open connection; answers its serial (never 0), or 0 when no
// memory was left to record it.
uint32_t RegisterConnection(sqlite3* connection);
// Forgets a connection that is being closed; unknown handles are ignored.
void ForgetConnection(sqlite3* connection);
// 0 when the handle is not registered (closed, or never opened here).
uint32_t ConnectionSerial(sqlite3* connection);
// The lock waits of a registered connection, null for any other handle;
// valid until the connection is forgotten.
LockWaits* LockWaitsOf(sqlite3* connection);

}  // namespace db
