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

namespace {

bool OnlyBlanks(const char* p) {
  while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n' || *p == '\f' || *p == '\v') p++;
  return *p == 0;
}

}  // namespace

Statement::Statement(sqlite3* connection, const StatementText& gbkText) {
  if (!connection || !gbkText.Fits()) return;
  OwnedText utf8 = ToUtf8(gbkText.Text());  // SQLite keeps its own copy
  if (!utf8) return;
  const char* tail = nullptr;
  int rc = sqlite3_prepare(connection, utf8.get(), -1, &stmt_, &tail);
  // A pasted name that ends the statement early would leave text behind:
  // refused, so no name can add a statement or change what is read.
  if (rc != SQLITE_OK || !stmt_ || !tail || !OnlyBlanks(tail)) {
    sqlite3_finalize(stmt_);  // null after a failed prepare; harmless
    stmt_ = nullptr;
  }
}

Statement::~Statement() {
  if (stmt_) sqlite3_finalize(stmt_);
}

int Statement::Step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_MISUSE; }

}  // namespace db
