// The table unit's cursor: a snapshot of one table's column names and row
// ids, a record position over it, and the single-field read.
//
// The snapshot is taken once when the table is opened. Rows inserted later
// are not seen; a row deleted later keeps its place but reads no value.
#pragma once

#include <cstdint>

#include "runtime/value.h"

struct sqlite3;

namespace db {

inline constexpr int kTableNameSize = 1024;

// The column names (GBK texts, malloc'd); an entry is null where SQLite gave
// no name or the name has no form in the code page.
class ColumnNames {
 public:
  ColumnNames() = default;
  ~ColumnNames() { Clear(); }
  ColumnNames(const ColumnNames&) = delete;
  ColumnNames& operator=(const ColumnNames&) = delete;

  // Makes room for count null entries; false when out of memory.
  bool Reset(int count);
  void Clear();
  int Count() const { return count_; }
  const char* At(int index0) const { return names_[index0]; }
  void Take(int index0, char* name) { names_[index0] = name; }

 private:
  char** names_ = nullptr;
  int count_ = 0;
};

// The result table of the row-id query (sqlite3_get_table): entry 0 is the
// heading, entries 1..rows are the row ids as decimal text, ascending.
class RowIdTable {
 public:
  RowIdTable() = default;
  ~RowIdTable() { Clear(); }
  RowIdTable(const RowIdTable&) = delete;
  RowIdTable& operator=(const RowIdTable&) = delete;

  // Runs the query; false on any SQLite error (the table is then empty).
  bool Load(sqlite3* connection, const char* utf8Sql);
  void Clear();
  int Rows() const { return rows_; }
  const char* At(int record1) const { return table_[record1 * columns_]; }

 private:
  char** table_ = nullptr;
  int rows_ = 0;
  int columns_ = 0;
};

struct TableCursor {
  int32_t position = 0;  // 0 before the first record, rowCount + 1 past the last
  int32_t rowCount = 0;
  int32_t columnCount = 0;
  char tableName[kTableNameSize] = {};  // GBK, NUL-terminated
  ColumnNames columnNames;
  RowIdTable rowIds;
  sqlite3* connection = nullptr;  // not owned: the database object's
  int32_t openFlag = 0;
  uint32_t connectionSerial = 0;  // the serial the connection was registered with

  // Open flag set and the connection is still the one the database object
  // opened (it may have been closed since).
  bool IsOpen() const;
  // Back to closed: lists released, counts and position 0, name cleared.
  void Empty();
  // Empties the cursor, then takes the snapshot of the named table on the
  // connection. False (cursor left empty) when the name does not fit the
  // name field, or the row ids cannot be read (no such table, SQL error).
  bool Open(const char* gbkName, sqlite3* db);
  // Moves to record n: answers true when the new position is on a record.
  bool GoTo(int64_t n);
  // 1-based number of the first column whose name equals `name` under
  // CompareNoCase; 0 when none does.
  int ColumnByName(const char* name) const;
  // Reads one field of the current record with its own query, stored as
  // `wanted` (see StoreColumnValue). False when not open, the column or
  // position is out of range, the row is gone or SQLite fails.
  bool ReadField(int column1, uint32_t wanted, ArgValue* result) const;

 private:
  bool LoadSnapshot();
};

}  // namespace db
