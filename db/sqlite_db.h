// The SQLite database unit (type 0x20001): one object, one connection.
//
// The compiled program allocates 40 zero-filled bytes per object and hands
// them to every command as argument 0 (value = storage address). Commands
// answer failures only through their results, never with a message.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/value.h"

struct sqlite3;

// The 40-byte object storage. The first word (pointer width) is the
// connection slot: the open connection, owned by the object, or null.
struct SqliteDbStorage {
  sqlite3* connection;
  uint8_t reserved[40 - sizeof(sqlite3*)];  // stays zero
};
static_assert(sizeof(SqliteDbStorage) == 40);
static_assert(offsetof(SqliteDbStorage, connection) == 0);
#ifdef RT_TARGET_X86
static_assert(sizeof(sqlite3*) == 4);
#endif

namespace SqliteDB {

// Zero-fills the storage: the object starts closed.
CommandFunction Construct;
// Closes a connection that is still open (as Close).
CommandFunction Destruct;
// Arguments: file name (GBK text), optional create flag. Always closes the
// old connection first. A missing, empty or ":memory:" (any case) name
// means a private in-memory database. Without a nonzero create flag
// nothing is created: a missing file (or an in-memory request) answers 0.
// Logical result: 1 when a connection is now open.
CommandFunction Open;
// Logical result: 0 when SQLite refused because statements were still
// unfinalised (the handle is forgotten all the same), else 1.
CommandFunction Close;

}  // namespace SqliteDB
