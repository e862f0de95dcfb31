// SqliteDB commands: a thin layer over sqlite3_open/sqlite3_close that
// converts GBK file names to UTF-8 and refuses to create missing files
// unless asked to.
#include "db/sqlite_db.h"

#include <sqlite3.h>

#include <cstring>

#include "db/command_args.h"
#include "db/connection_registry.h"
#include "db/gbk_utf8.h"
#include "runtime/gbk_boundary.h"

namespace {

// Settings of every connection the unit opens: wait for locks within the
// connection's budget, and never write the database file at close. SQLite
// otherwise checkpoints a WAL database into the main file when its last
// connection closes; the server's file must stay as the server left it.
void ConfigureConnection(sqlite3* connection) {
  db::LimitLockWaits(connection, db::LockWaitsOf(connection));
  sqlite3_db_config(connection, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
}

// Floating kinds count by their value; the others by the low 32 bits, so a
// double 1.0 (whose low word is 0) still means "create".
bool CreateFlag(const ArgValue& a) {
  switch (a.type) {
    case kTypeNone: return false;
    case kTypeFloat: return a.v.f32 != 0;
    case kTypeDouble: case kTypeDateTime: return a.v.f64 != 0;
    default: return a.v.u32 != 0;
  }
}

// The existence test opens the file for reading and closes it again,
// before SQLite (which would create the file) ever sees the name. It runs
// on the UTF-16 form of the GBK name, as SQLite does on its UTF-8 form, so
// both find the same file whatever the system's code page.
bool FileExists(const char* gbkName) {
  HANDLE f = CreateFileGbk(gbkName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL);
  if (f == INVALID_HANDLE_VALUE) return false;
  CloseHandle(f);
  return true;
}

// Closes and forgets the object's connection. 0 when SQLite answered
// SQLITE_BUSY (statements still unfinalised), else 1; 1 when none was open.
int CloseConnection(SqliteDbStorage* db) {
  sqlite3* connection = db->connection;
  if (!connection) return 1;
  db->connection = nullptr;
  // The budget goes with the registry entry, so its handler goes first.
  // Closing rolls back a read transaction that a table left open.
  sqlite3_busy_handler(connection, nullptr, nullptr);
  db::ForgetConnection(connection);
  return sqlite3_close(connection) == SQLITE_BUSY ? 0 : 1;
}

}  // namespace

namespace SqliteDB {

void Construct(ArgValue* result, int argc, ArgValue* args) {
  if (auto* db = db::ObjectAt<SqliteDbStorage>(argc, args)) memset(db, 0, sizeof *db);
}

void Destruct(ArgValue* result, int argc, ArgValue* args) {
  if (auto* db = db::ObjectAt<SqliteDbStorage>(argc, args)) CloseConnection(db);
}

void Open(ArgValue* result, int argc, ArgValue* args) {
  result->v.u64 = 0;
  auto* db = db::ObjectAt<SqliteDbStorage>(argc, args);
  if (!db) return;
  CloseConnection(db);

  ArgValue nameArg = ArgAt(argc, args, 1);
  if (nameArg.type != kTypeNone && nameArg.type != kTypeText) return;
  const char* name = nameArg.type == kTypeText ? nameArg.v.text : nullptr;
  bool create = CreateFlag(ArgAt(argc, args, 2));
  bool inMemory = !name || !*name || CompareNoCase(name, ":memory:") == 0;

  OwnedText utf8Name;
  if (inMemory) {
    if (!create) return;
  } else {
    if (!create && !FileExists(name)) return;
    utf8Name = ToUtf8(name);
    if (!utf8Name) return;  // not valid GBK
  }

  sqlite3* connection = nullptr;
  int rc = sqlite3_open(inMemory ? ":memory:" : utf8Name.get(), &connection);
  if (rc != SQLITE_OK || db::RegisterConnection(connection) == 0) {
    // SQLite may hand back a handle even when the open failed.
    if (connection) sqlite3_close(connection);
    return;
  }
  ConfigureConnection(connection);
  db->connection = connection;
  result->v.i32 = 1;
}

void Close(ArgValue* result, int argc, ArgValue* args) {
  result->v.u64 = 0;
  auto* db = db::ObjectAt<SqliteDbStorage>(argc, args);
  if (!db) return;
  result->v.i32 = CloseConnection(db);
}

}  // namespace SqliteDB
