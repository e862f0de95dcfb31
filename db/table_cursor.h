// The table unit's cursor: a snapshot of one table's column names and row
// ids, a record position over it, and the single-field read.
//
// The snapshot is taken once when the table is opened. Rows inserted later
// are not seen; a row deleted later keeps its place but reads no value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "db/read_transaction.h"
#include "runtime/value.h"

struct sqlite3;

namespace db {

class StatementText;

inline constexpr int kTableNameSize = 1024;

// The column names (GBK texts, malloc'd); an entry is null where SQLite gave
// no name or the name has no form in GBK.
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

// The row ids of the snapshot as the row-id query gives them: decimal
// texts, ascending; an entry is null where the query gave NULL. The query
// is stepped to its end rather than run through sqlite3_get_table, which
// builds a heap block per row while the database stays locked: the texts
// go into one growing buffer instead, and the lock is held for less.
class RowIdTable {
 public:
  // Runs the query; false on any SQLite error and when out of memory (the
  // table is then empty), and for a text that holds more than one
  // statement, none of which runs.
  bool Load(sqlite3* connection, const StatementText& gbkSql);
  void Clear();
  int Rows() const { return static_cast<int>(offsets_.size()); }
  // Record record1 (1..Rows()).
  const char* At(int record1) const {
    size_t at = offsets_[record1 - 1];
    return at == kNull ? nullptr : texts_.data() + at;
  }

 private:
  static constexpr size_t kNull = static_cast<size_t>(-1);
  std::vector<char> texts_;     // every row id with its NUL, in order
  std::vector<size_t> offsets_;  // where each record's text starts, or kNull
};

// What the cursor's last field read found, so that a caller can tell an
// empty value from a record that is gone and from a database that could not
// be read. The numbers are the answers of SqliteTable::LastReadOutcome.
enum class ReadOutcome : int32_t {
  kValue = 0,    // read; the value may be empty or NULL
  kRowGone = 1,  // the record was deleted after the row ids were taken
  kNoField = 2,  // nothing to read: not open, no such column, not on a record
  kFailed = 3,   // the database could not be read: a lock held past the
                 // connection's lock-wait budget, an I/O error, a damaged
                 // file, no memory
};

struct TableCursor {
  TableCursor() = default;
  ~TableCursor();
  TableCursor(const TableCursor&) = delete;
  TableCursor& operator=(const TableCursor&) = delete;

  int32_t position = 0;  // 0 before the first record, rowCount + 1 past the last
  int32_t rowCount = 0;
  int32_t columnCount = 0;
  char tableName[kTableNameSize] = {};  // GBK, NUL-terminated
  ColumnNames columnNames;
  RowIdTable rowIds;
  sqlite3* connection = nullptr;  // not owned: the database object's
  int32_t openFlag = 0;
  uint32_t connectionSerial = 0;  // the serial the connection was registered with
  ReadOutcome lastRead = ReadOutcome::kNoField;
  ReadTransaction readTransaction;

  // Open flag set and the connection is still the one the database object
  // opened (it may have been closed since); an unregistered handle never is.
  bool IsOpen() const;
  // Back to closed: the read transaction ended, lists released, counts and
  // position 0, name cleared.
  void Empty();
  // Empties the cursor, then takes the snapshot of the named table on the
  // connection, in one read transaction that ends with it. False (cursor
  // left empty) when the name does not fit the name field, or the row ids
  // cannot be read (no such table, SQL error).
  bool Open(const char* gbkName, sqlite3* db);
  // Moves to record n: answers true when the new position is on a record.
  // A move onto a record ends the read transaction once it is older than
  // its bound; a move off the records ends it: the reads are done.
  bool GoTo(int64_t n);
  // 1-based number of the first column whose name equals `name` under
  // CompareNoCase; 0 when none does.
  int ColumnByName(const char* name) const;
  // Reads one field of the current record with its own query, stored as
  // `wanted` (see StoreColumnValue), inside the read transaction (begun
  // here when none is open). False when not open, the column or position is
  // out of range, the row is gone or SQLite fails; lastRead says which. A
  // read that SQLite failed ends the read transaction.
  bool ReadField(int column1, uint32_t wanted, ArgValue* result);

 private:
  bool LoadSnapshot();
  bool LoadSnapshotStatements();
  // Runs one composed field statement on the current record.
  ReadOutcome ReadStatement(const StatementText& sql, uint32_t wanted, ArgValue* result);
};

}  // namespace db
