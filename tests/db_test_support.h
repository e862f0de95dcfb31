// Shared pieces of the database tests: a temp folder of real files, SQLite
// files made by the test itself, library objects allocated the way the
// compiled program does it, and a RuntimeNotify that counts result blocks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <set>
#include <string>

#include "db/db_library.h"
#include "db/sqlite_db.h"
#include "db/sqlite_table.h"
#include "runtime/value.h"

struct sqlite3;

namespace dbtest {

// A fresh folder under the user's temp folder, removed with its files.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder joined with a file name: as UTF-16, as GBK, as UTF-8.
  std::wstring Wide(const std::wstring& name) const { return dir_ + L"\\" + name; }
  std::string Gbk(const std::wstring& name) const;
  std::string Utf8(const std::wstring& name) const;

 private:
  std::wstring dir_;
};

std::string Narrow(const std::wstring& s, UINT codePage);
// True when FindFirstFileW finds exactly this name.
bool FileExistsW(const std::wstring& path);
// Creates (or extends) a database file with SQLite directly and runs sql.
bool MakeDatabase(const std::string& utf8Path, const char* sql);


// A library object's 40-byte storage, allocated and zero-filled as the
// compiled program does it, with the type's constructor and destructor.
class Object {
 public:
  Object(uint32_t type, CommandFn construct, CommandFn destruct);
  ~Object();
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  ArgValue Ref() const { return ObjectArg(storage_, type_); }
  void* Storage() const { return storage_; }

 private:
  void* storage_;
  uint32_t type_;
  CommandFn destruct_;
};

// Calls a command as compiled code does: zero-filled result, one record per
// parameter.
ArgValue Call(CommandFn fn, std::initializer_list<ArgValue> args);

// RuntimeNotify wrapped to count result blocks: every 2024 answer is
// recorded as outstanding until a 2025 gives it back.
struct BlockCounter {
  static intptr_t Notify(int code, intptr_t p1, intptr_t p2);
  static void Reset();
  static int64_t allocations;
  static int64_t frees;
  static int64_t strayFrees;  // 2025 for a block this counter never handed out
  static std::set<void*> outstanding;
};

// Gives a result block back through the counter's 2025, which is RtFree,
// as compiled code frees any runtime block.
void FreeResult(void* block);

// A logical variable passed by reference to ReadFieldText.
inline ArgValue LogicalRef(int32_t* variable) {
  ArgValue a{};
  a.v.ptr = variable;
  a.type = kTypeBool;
  return a;
}

// One ReadFieldText as the application sees it: the text (freed at once),
// its logical variable, and LastReadOutcome after it.
struct FieldRead {
  std::string text;
  bool isNull;
  int32_t flag;
  int32_t outcome;
};

// A database object and a table object driven through their commands, the
// way the application drives them.
class TableSession {
 public:
  int32_t OpenDatabase(const std::string& gbkPath);
  int32_t CloseDatabase();
  int32_t OpenTable(const char* name);
  int32_t CloseTable();
  int32_t GoTo(int32_t n);
  int32_t Skip(int32_t n);
  FieldRead Read(const ArgValue& field);
  FieldRead Read(const char* field) { return Read(TextArg(field)); }
  int32_t FieldNumber(const char* name);
  sqlite3* Connection() const;

  // The table is declared last: it goes first, as the application closes
  // the table before the database.
  Object db{kSqliteDbTypeCode, SqliteDB::Construct, SqliteDB::Destruct};
  Object table{kSqliteTableTypeCode, SqliteTable::Construct, SqliteTable::Destruct};
};

}  // namespace dbtest
