// Turning one SQLite result column into a typed runtime value.
#pragma once

#include <cstdint>

#include "runtime/value.h"

struct sqlite3_stmt;

namespace db {

// Stores column `column` of the statement's current row into `result` as
// the wanted kind (text, integer kinds, logical, long, double, date-time,
// float, byte set) and sets result->type to it. Texts and byte sets are new
// runtime blocks (RuntimeNotify 2024); a text or byte set that the record
// held before is released (2025) after the new value was produced.
// SQL NULL, an empty text and an empty blob store null and still succeed.
// A text that does not convert to GBK shows '?' where it fails.
// False, with null stored, for any other kind, or no runtime allocator to
// serve the block.
bool StoreColumnValue(sqlite3_stmt* stmt, int column, uint32_t wanted, ArgValue* result);

}  // namespace db
