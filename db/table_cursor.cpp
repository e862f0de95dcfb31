#include "db/table_cursor.h"

#include <sqlite3.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "db/connection_registry.h"
#include "db/field_value.h"
#include "db/gbk_utf8.h"
#include "db/sql_statement.h"

namespace db {

bool ColumnNames::Reset(int count) {
  Clear();
  if (count <= 0) return true;
  names_ = static_cast<char**>(calloc(count, sizeof(char*)));
  if (!names_) return false;
  count_ = count;
  return true;
}

void ColumnNames::Clear() {
  for (int i = 0; i < count_; i++) free(names_[i]);
  free(names_);
  names_ = nullptr;
  count_ = 0;
}

bool RowIdTable::Load(sqlite3* connection, const StatementText& gbkSql) {
  Clear();
  Statement st(connection, gbkSql);
  if (!st.Ok()) return false;
  try {
    int rc;
    while ((rc = st.Step()) == SQLITE_ROW) {
      if (offsets_.size() >= static_cast<size_t>(INT32_MAX - 1)) break;  // beyond any position
      if (sqlite3_column_type(st.Get(), 0) == SQLITE_NULL) {
        offsets_.push_back(kNull);
        continue;
      }
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st.Get(), 0));
      if (!text) break;  // no memory for the text
      offsets_.push_back(texts_.size());
      texts_.insert(texts_.end(), text, text + strlen(text) + 1);
    }
    if (rc == SQLITE_DONE) return true;
  } catch (const std::bad_alloc&) {
  }
  Clear();
  return false;
}

void RowIdTable::Clear() {
  // Shrunk, not only emptied: a closed table keeps no memory.
  std::vector<char>().swap(texts_);
  std::vector<size_t>().swap(offsets_);
}

namespace {

// Maps the file up to 256 MB (room for any server's tables; beyond that
// SQLite reads through ReadFile), and unmaps it once no page of the map is
// in use, which is after the transaction.
constexpr const char* kMapFile = "PRAGMA mmap_size=268435456";
constexpr const char* kUnmapFile = "PRAGMA mmap_size=0";

}  // namespace

TableCursor::~TableCursor() { Empty(); }

bool TableCursor::IsOpen() const {
  return openFlag && connection && connectionSerial != 0 && ConnectionSerial(connection) == connectionSerial;
}

void TableCursor::Empty() {
  // A closed connection took its transaction with it.
  if (IsOpen())
    readTransaction.End();
  else
    readTransaction.Forget();
  columnNames.Clear();
  rowIds.Clear();
  position = rowCount = columnCount = 0;
  tableName[0] = 0;
  connection = nullptr;
  connectionSerial = 0;
  openFlag = 0;
}

bool TableCursor::Open(const char* gbkName, sqlite3* db) {
  Empty();
  size_t n = strlen(gbkName);
  if (n >= sizeof tableName) return false;  // would lose its NUL
  memcpy(tableName, gbkName, n + 1);
  connection = db;
  connectionSerial = ConnectionSerial(db);
  openFlag = 1;
  if (LoadSnapshot()) return true;
  Empty();
  return false;
}

// Column names first (a failure there leaves 0 columns but does not fail
// the load), then the row ids, which must load.
bool TableCursor::LoadSnapshot() {
  columnNames.Clear();
  rowIds.Clear();
  columnCount = rowCount = 0;
  if (!IsOpen() || !tableName[0]) return false;
  // One state of the table for both statements; the lock goes with them.
  // Reading every row id reads every page of the table while the shared
  // lock keeps the server waiting, and a page read through ReadFile costs
  // far more than a mapped one (under Wine 0.1 to 0.2 ms a page: 0.2 s for
  // 100,000 rows, against 0.02 s mapped). So the file is mapped for the
  // snapshot only. While the lock is held no writer can shorten the file
  // under the map, and the map goes with the transaction: a mapped file
  // cannot be shortened on Windows, and the server's commits must never
  // meet one.
  sqlite3_exec(connection, kMapFile, nullptr, nullptr, nullptr);
  readTransaction.Begin(connection);
  bool loaded = LoadSnapshotStatements();
  readTransaction.End();
  sqlite3_exec(connection, kUnmapFile, nullptr, nullptr, nullptr);
  return loaded;
}

bool TableCursor::LoadSnapshotStatements() {
  StatementText columnsSql;
  columnsSql << "SELECT * FROM " << tableName << " LIMIT 0";
  {
    Statement st(connection, columnsSql);
    int rc = st.Ok() ? st.Step() : SQLITE_ERROR;
    if (rc == SQLITE_ROW || rc == SQLITE_DONE) {
      int count = sqlite3_column_count(st.Get());
      if (count > 0 && columnNames.Reset(count)) {
        for (int i = 0; i < count; i++) {
          const char* name = sqlite3_column_name(st.Get(), i);
          if (name) columnNames.Take(i, FromUtf8(name).release());
        }
        columnCount = count;
      }
    }
  }

  StatementText rowIdSql;
  rowIdSql << "SELECT _ROWID_ FROM " << tableName << " ORDER BY _ROWID_ ";
  if (!rowIds.Load(connection, rowIdSql)) return false;
  rowCount = rowIds.Rows();
  return true;
}

bool TableCursor::GoTo(int64_t n) {
  if (!IsOpen()) return false;
  if (n <= 0 || n > rowCount) {
    position = n <= 0 ? 0 : rowCount + 1;
    readTransaction.End();
    return false;
  }
  readTransaction.EndIfOlderThanBound();
  position = static_cast<int32_t>(n);
  return true;
}

int TableCursor::ColumnByName(const char* name) const {
  for (int i = 0; i < columnNames.Count(); i++) {
    const char* column = columnNames.At(i);
    if (column && CompareNoCase(column, name) == 0) return i + 1;
  }
  return 0;
}

bool TableCursor::ReadField(int column1, uint32_t wanted, ArgValue* result) {
  lastRead = ReadOutcome::kNoField;
  if (!IsOpen()) return false;
  if (column1 < 1 || column1 > columnCount || column1 > columnNames.Count()) return false;
  const char* columnName = columnNames.At(column1 - 1);
  if (!columnName) return false;
  if (position < 1 || position > rowCount) return false;
  const char* rowId = rowIds.At(position);
  if (!rowId) return false;

  // The column as stored (SQLite's spelling), not as the caller wrote it.
  StatementText sql;
  sql << "SELECT " << columnName << " FROM " << tableName << " WHERE _ROWID_ = " << rowId << " ";
  if (!sql.Fits()) return false;
  readTransaction.Begin(connection);
  lastRead = ReadStatement(sql, wanted, result);
  if (lastRead == ReadOutcome::kFailed) readTransaction.End();
  return lastRead == ReadOutcome::kValue;
}

ReadOutcome TableCursor::ReadStatement(const StatementText& sql, uint32_t wanted, ArgValue* result) {
  Statement st(connection, sql);
  if (!st.Ok()) return ReadOutcome::kFailed;
  switch (st.Step()) {
    case SQLITE_ROW:
      return StoreColumnValue(st.Get(), 0, wanted, result) ? ReadOutcome::kValue : ReadOutcome::kFailed;
    case SQLITE_DONE:  // the row id no longer exists
      return ReadOutcome::kRowGone;
    default:
      return ReadOutcome::kFailed;
  }
}

}  // namespace db
