// The SQLite table unit (type 0x20002): a read cursor over a snapshot of one
// table's row ids, reading single fields of the current record as text.
//
// Like the database unit, the object is 40 zero-filled bytes passed as
// argument 0; its first word (pointer width) points to the TableCursor that
// the constructor creates. No command raises an error or shows a message.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/value.h"

namespace db {
struct TableCursor;
}

struct SqliteTableStorage {
  db::TableCursor* cursor;
  uint8_t reserved[40 - sizeof(db::TableCursor*)];  // stays zero
};
static_assert(sizeof(SqliteTableStorage) == 40);
static_assert(offsetof(SqliteTableStorage, cursor) == 0);
#ifdef RT_TARGET_X86
static_assert(sizeof(db::TableCursor*) == 4);
#endif

namespace SqliteTable {

// Zero-fills the storage and creates an empty cursor.
CommandFunction Construct;
// Releases the cursor and clears the first word.
CommandFunction Destruct;
// Arguments: table name (GBK text), database object (type 0x20001).
// Logical: 1 when the snapshot was taken; the position is then 0. A null
// or empty name, or a closed database, answers 0 and leaves the cursor as
// it was; any later failure leaves it empty.
CommandFunction Open;
// Logical: 1 (0 only when the object has no cursor).
CommandFunction Close;
// Argument: optional count (default 1, may be negative; 0 does not move).
// Logical: 1 when the new position is on a record.
CommandFunction Skip;
// Argument: 1-based record number. 0 or less moves before the first record,
// beyond the row count past the last. Logical: 1 when on a record.
CommandFunction GoTo;
// Arguments: the field as a column name (text, matched ignoring ASCII case)
// or a 1-based column number (any numeric kind; floating ones truncated);
// an optional logical variable by reference (v.ptr points to its int32),
// set to 1 on success and 0 on failure. Text: the field's value in GBK, a
// new runtime block; null (empty) on failure and for NULL or ''.
CommandFunction ReadFieldText;
// Integer: what the last ReadFieldText found (db::ReadOutcome): 0 a value,
// possibly empty; 1 the record was deleted since the table was opened; 2
// nothing to read (not open, no such field, not on a record); 3 the
// database could not be read (lock held too long, I/O error, damage). 2
// before any read and when the object has no cursor.
CommandFunction LastReadOutcome;
// Argument: a column name (text, matched as ReadFieldText matches it).
// Integer: its 1-based column number in the open table's snapshot, 0 when
// the table has no such column or is not open.
CommandFunction FieldNumber;

}  // namespace SqliteTable
