#include "db/sql_statement.h"

#include <sqlite3.h>

#include <cstring>

#include "db/gbk_utf8.h"

namespace db {

StatementText& StatementText::operator<<(const char* piece) {
  if (!piece || overflow_) return *this;
  size_t n = strlen(piece);
  if (n >= kStatementLimit - length_) {
    overflow_ = true;
    return *this;
  }
  memcpy(text_ + length_, piece, n + 1);
  length_ += n;
  return *this;
}

Statement::Statement(sqlite3* connection, const StatementText& gbkText) {
  if (!connection || !gbkText.Fits()) return;
  OwnedText utf8 = ToUtf8(gbkText.Text());
  if (!utf8) return;
  if (sqlite3_prepare(connection, utf8.get(), -1, &stmt_, nullptr) != SQLITE_OK) {
    sqlite3_finalize(stmt_);  // null after a failed prepare; harmless
    stmt_ = nullptr;
  }
}

Statement::~Statement() {
  if (stmt_) sqlite3_finalize(stmt_);
}

int Statement::Step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_MISUSE; }

}  // namespace db
