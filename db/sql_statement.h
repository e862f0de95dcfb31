// Composing and running the table unit's SQL statements.
//
// Statements are composed in GBK in a fixed 1024-byte buffer (names are
// pasted in unquoted), then converted to UTF-8 as a whole. A statement that
// would not fit, terminating NUL included, is refused rather than cut.
#pragma once

#include <cstddef>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

inline constexpr size_t kStatementLimit = 1024;

class StatementText {
 public:
  StatementText() { text_[0] = 0; }
  StatementText(const StatementText&) = delete;
  StatementText& operator=(const StatementText&) = delete;

  // Appends a piece; null appends nothing. Overflow is sticky.
  StatementText& operator<<(const char* piece);
  bool Fits() const { return !overflow_; }
  const char* Text() const { return text_; }

 private:
  char text_[kStatementLimit];
  size_t length_ = 0;
  bool overflow_ = false;
};

// A prepared statement, finalised when it goes out of scope.
class Statement {
 public:
  // Converts the composed GBK text to UTF-8 and prepares it (length -1).
  // Ok() is false when the text did not fit, did not convert, did not
  // prepare, or holds more than one statement (anything but blanks after
  // the first).
  Statement(sqlite3* connection, const StatementText& gbkText);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool Ok() const { return stmt_ != nullptr; }
  sqlite3_stmt* Get() const { return stmt_; }
  // One step: SQLITE_ROW, SQLITE_DONE or an error code.
  int Step();

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace db
