// SqliteTable commands: argument handling over the TableCursor.
#include "db/db_library.h"
#include "db/sqlite_table.h"

#include <cstring>
#include <new>

#include "db/command_args.h"
#include "db/sqlite_db.h"
#include "db/table_cursor.h"

namespace {

db::TableCursor* CursorOf(int argc, ArgValue* args) {
  auto* table = db::ObjectAt<SqliteTableStorage>(argc, args);
  return table ? table->cursor : nullptr;
}

// The column number that the field argument names; 0 when it names none.
int FieldColumn(const db::TableCursor* cursor, const ArgValue& field) {
  if (field.type == kTypeText) {
    const char* name = field.v.text;
    return (name && *name && cursor) ? cursor->ColumnByName(name) : 0;
  }
  if (!IsNumericType(field.type)) return 0;
  int32_t number = 0;
  if (!ArgAsInt(field, &number) || number < 1) return 0;
  return number;
}

}  // namespace

namespace SqliteTable {

void Construct(ArgValue* result, int argc, ArgValue* args) {
  auto* table = db::ObjectAt<SqliteTableStorage>(argc, args);
  if (!table) return;
  memset(table, 0, sizeof *table);
  // Without memory the object simply has no cursor: every command fails.
  table->cursor = new (std::nothrow) db::TableCursor;
}

void Destruct(ArgValue* result, int argc, ArgValue* args) {
  auto* table = db::ObjectAt<SqliteTableStorage>(argc, args);
  if (!table) return;
  delete table->cursor;  // releases the lists with it
  table->cursor = nullptr;
}

void Open(ArgValue* result, int argc, ArgValue* args) {
  result->v.u64 = 0;
  db::TableCursor* cursor = CursorOf(argc, args);
  ArgValue name = ArgAt(argc, args, 1);
  ArgValue database = ArgAt(argc, args, 2);
  if (!cursor || name.type != kTypeText || !name.v.text || !name.v.text[0]) return;
  if (database.type != kSqliteDbTypeCode || !database.v.ptr) return;
  sqlite3* connection = static_cast<SqliteDbStorage*>(database.v.ptr)->connection;
  if (!connection) return;  // the database is not open
  result->v.i32 = cursor->Open(name.v.text, connection) ? 1 : 0;
}

void Close(ArgValue* result, int argc, ArgValue* args) {
  result->v.u64 = 0;
  db::TableCursor* cursor = CursorOf(argc, args);
  if (!cursor) return;
  cursor->Empty();
  result->v.i32 = 1;
}

void Skip(ArgValue* result, int argc, ArgValue* args) {
  result->v.u64 = 0;
  db::TableCursor* cursor = CursorOf(argc, args);
  ArgValue countArg = ArgAt(argc, args, 1);
  int32_t count = 1;
  if (countArg.type != kTypeNone && !ArgAsInt(countArg, &count)) return;
  if (count == 0 || !cursor) return;
  result->v.i32 = cursor->GoTo(static_cast<int64_t>(cursor->position) + count) ? 1 : 0;
}

void GoTo(ArgValue* result, int argc, ArgValue* args) {
  result->v.u64 = 0;
  db::TableCursor* cursor = CursorOf(argc, args);
  int32_t n = 0;
  if (!cursor || !ArgAsInt(ArgAt(argc, args, 1), &n)) return;
  result->v.i32 = cursor->GoTo(n) ? 1 : 0;
}

void ReadFieldText(ArgValue* result, int argc, ArgValue* args) {
  ArgValue flagArg = ArgAt(argc, args, 2);
  auto* flag = flagArg.type == kTypeBool ? static_cast<int32_t*>(flagArg.v.ptr) : nullptr;
  if (flag) *flag = 0;

  db::TableCursor* cursor = CursorOf(argc, args);
  int column = FieldColumn(cursor, ArgAt(argc, args, 1));
  bool ok = false;
  if (cursor && column > 0) {
    result->type = kTypeText;
    ok = cursor->ReadField(column, kTypeText, result);
  } else if (cursor) {
    cursor->lastRead = db::ReadOutcome::kNoField;
  }
  if (flag) *flag = ok ? 1 : 0;
}

void LastReadOutcome(ArgValue* result, int argc, ArgValue* args) {
  result->v.u64 = 0;
  result->type = kTypeInt;
  db::TableCursor* cursor = CursorOf(argc, args);
  result->v.i32 = static_cast<int32_t>(cursor ? cursor->lastRead : db::ReadOutcome::kNoField);
}

void FieldNumber(ArgValue* result, int argc, ArgValue* args) {
  result->v.u64 = 0;
  result->type = kTypeInt;
  db::TableCursor* cursor = CursorOf(argc, args);
  ArgValue name = ArgAt(argc, args, 1);
  if (!cursor || !cursor->IsOpen() || name.type != kTypeText || !name.v.text || !name.v.text[0]) return;
  result->v.i32 = cursor->ColumnByName(name.v.text);
}

}  // namespace SqliteTable
