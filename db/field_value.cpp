#include "db/field_value.h"

#include <sqlite3.h>

#include <cstring>

#include "db/db_library.h"
#include "db/gbk_utf8.h"

namespace db {
namespace {

// Assignment order of the runtime: new value first, then the old block
// goes, then the new value is stored.
void Assign(ArgValue* result, uint32_t type, uint64_t value) {
  bool heldBlock = result->type == kTypeText || result->type == kTypeBytes;
  void* old = heldBlock ? result->v.ptr : nullptr;
  result->v.u64 = value;
  result->type = type;
  ReleaseResultBlock(old);
}

void AssignBlock(ArgValue* result, uint32_t type, void* block) {
  ArgValue v{};
  v.v.ptr = block;  // the whole value field: 8 bytes on 64-bit, high word 0 on 32-bit
  Assign(result, type, v.v.u64);
}

// The column's UTF-8 text as a new GBK runtime text; null for NULL or "".
// A value is never lost to its bytes: a BLOB reads as its raw bytes, and
// whatever does not convert (bad UTF-8, a NUL, a character GBK lacks)
// shows as '?'. Only a failed allocation fails.
bool StoreText(sqlite3_stmt* stmt, int column, ArgValue* result) {
  const char* utf8 = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
  int length = sqlite3_column_bytes(stmt, column);  // after _text, as SQLite asks
  char* block = nullptr;
  bool ok = true;
  if (utf8 && length > 0) {
    OwnedText gbk = FromUtf8Lossy(utf8, length);
    size_t n = gbk ? strlen(gbk.get()) : 0;
    block = gbk ? static_cast<char*>(AllocResultBlock(static_cast<uint32_t>(n + 1))) : nullptr;
    if (block) memcpy(block, gbk.get(), n + 1);
    else ok = false;
  }
  AssignBlock(result, kTypeText, block);
  return ok;
}

// A new byte set (one dimension, its length, the bytes); null when empty.
bool StoreBytes(sqlite3_stmt* stmt, int column, ArgValue* result) {
  const void* data = sqlite3_column_blob(stmt, column);  // before _bytes, as SQLite asks
  int n = sqlite3_column_bytes(stmt, column);
  RtArray* block = nullptr;
  bool ok = true;
  if (data && n > 0) {
    block = static_cast<RtArray*>(AllocResultBlock(8 + static_cast<uint32_t>(n)));
    if (block) {
      block->dims = 1;
      block->sizes[0] = n;
      memcpy(&block->sizes[1], data, n);
    } else {
      ok = false;
    }
  }
  AssignBlock(result, kTypeBytes, block);
  return ok;
}

}  // namespace

bool StoreColumnValue(sqlite3_stmt* stmt, int column, uint32_t wanted, ArgValue* result) {
  ArgValue v{};
  switch (wanted) {
    case kTypeText:
      return StoreText(stmt, column, result);
    case kTypeBytes:
      return StoreBytes(stmt, column, result);
    case kTypeInt: case kTypeShort: case kTypeByte:
      v.v.i32 = sqlite3_column_int(stmt, column);
      break;
    case kTypeBool:
      v.v.i32 = sqlite3_column_int(stmt, column) != 0 ? 1 : 0;
      break;
    case kTypeLong:
      v.v.i64 = sqlite3_column_int64(stmt, column);
      break;
    case kTypeDouble: case kTypeDateTime:
      v.v.f64 = sqlite3_column_double(stmt, column);
      break;
    case kTypeFloat:
      v.v.f32 = static_cast<float>(sqlite3_column_double(stmt, column));
      break;
    default:
      AssignBlock(result, result->type, nullptr);
      return false;
  }
  Assign(result, wanted, v.v.u64);
  return true;
}

}  // namespace db
