// The table unit over real database files: snapshot, moves and field reads.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "db/db_library.h"
#include "db/sqlite_db.h"
#include "db/sqlite_table.h"
#include "db/table_cursor.h"
#include "tests/db_test_support.h"

namespace {

using dbtest::Call;

// Rows inserted out of order with row ids 100, 5 and 17: records are
// numbered in ascending row-id order, 5, 17, 100. The SQL is UTF-8 (hex
// escapes: narrow literals here are GBK): 机器五, and U+30FB, which has no
// GBK form.
constexpr const char* kMachines =
    "CREATE TABLE machines(MACHINE TEXT, mac TEXT, ip INTEGER, note);"
    "INSERT INTO machines(rowid, MACHINE, mac, ip, note) VALUES"
    " (100, 'pc-100', 'AA-100', 3232235876, ''),"
    " (5, '\xE6\x9C\xBA\xE5\x99\xA8\xE4\xBA\x94', 'AA-05', 16777343, NULL),"
    " (17, 'pc-17', 'AA-17', 17, '\xE3\x83\xBB');"
    "ALTER TABLE machines ADD COLUMN \xE5\x90\x8D\xE7\xA7\xB0;"  // 名称
    "UPDATE machines SET \xE5\x90\x8D\xE7\xA7\xB0 = 'n' || rowid;"
    "CREATE TABLE empty(a, b);";

struct Read {
  std::string text;
  bool isNull;
  int32_t flag;
};

// Records the SQL text of every statement that runs on a connection.
class StatementLog {
 public:
  explicit StatementLog(sqlite3* connection) : connection_(connection) {
    sqlite3_trace_v2(connection_, SQLITE_TRACE_STMT, &StatementLog::Trace, this);
  }
  ~StatementLog() { sqlite3_trace_v2(connection_, 0, nullptr, nullptr); }
  StatementLog(const StatementLog&) = delete;
  StatementLog& operator=(const StatementLog&) = delete;
  std::vector<std::string> texts;

 private:
  static int Trace(unsigned, void* self, void*, void* sql) {
    static_cast<StatementLog*>(self)->texts.push_back(static_cast<const char*>(sql));
    return 0;
  }
  sqlite3* connection_;
};

class SqliteTableTest : public testing::Test {
 protected:
  void SetUp() override {
    dbtest::BlockCounter::Reset();
    DatabaseLibNotify(kLibInit, reinterpret_cast<intptr_t>(&dbtest::BlockCounter::Notify), 0);
    ASSERT_TRUE(dbtest::MakeDatabase(dir_.Utf8(L"machines.db"), kMachines));
    ASSERT_EQ(Call(SqliteDB::Open, {db_.Ref(), TextArg(dir_.Gbk(L"machines.db").c_str())}).v.i32, 1);
  }
  void TearDown() override {
    // Every text handed out was freed by the test, as the application does.
    EXPECT_TRUE(dbtest::BlockCounter::outstanding.empty());
    EXPECT_EQ(dbtest::BlockCounter::strayFrees, 0);
  }

  int32_t OpenTable(const char* name) {
    return Call(SqliteTable::Open, {table_.Ref(), TextArg(name), db_.Ref()}).v.i32;
  }
  int32_t GoTo(const ArgValue& n) { return Call(SqliteTable::GoTo, {table_.Ref(), n}).v.i32; }
  int32_t Skip(const ArgValue& n) { return Call(SqliteTable::Skip, {table_.Ref(), n}).v.i32; }
  int32_t Position() const { return Cursor()->position; }
  db::TableCursor* Cursor() const { return static_cast<SqliteTableStorage*>(table_.Storage())->cursor; }
  sqlite3* Connection() const { return static_cast<SqliteDbStorage*>(db_.Storage())->connection; }

  Read ReadField(const ArgValue& field) {
    int32_t flag = -1;
    ArgValue r = Call(SqliteTable::ReadFieldText, {table_.Ref(), field, dbtest::LogicalRef(&flag)});
    Read out{r.v.text ? r.v.text : "", r.v.text == nullptr, flag};
    dbtest::FreeResult(r.v.ptr);
    return out;
  }
  std::string Text(const char* field) { return ReadField(TextArg(field)).text; }

  void Exec(const char* sql) { ASSERT_EQ(sqlite3_exec(Connection(), sql, nullptr, nullptr, nullptr), SQLITE_OK); }

  dbtest::TempFolder dir_;
  dbtest::Object db_{kSqliteDbTypeCode, SqliteDB::Construct, SqliteDB::Destruct};
  dbtest::Object table_{kSqliteTableTypeCode, SqliteTable::Construct, SqliteTable::Destruct};
};

TEST_F(SqliteTableTest, ConstructorStoresTheCursorInTheFirstWord) {
  ASSERT_NE(Cursor(), nullptr);
  const auto* bytes = static_cast<const uint8_t*>(table_.Storage());
  for (int i = kPtrWidth; i < 40; i++) EXPECT_EQ(bytes[i], 0) << i;
  EXPECT_EQ(Position(), 0);
  EXPECT_EQ(Cursor()->openFlag, 0);
}

TEST_F(SqliteTableTest, EmptyTableOpens) {
  EXPECT_EQ(OpenTable("empty"), 1);
  EXPECT_EQ(Cursor()->rowCount, 0);
  EXPECT_EQ(Cursor()->columnCount, 2);
  EXPECT_EQ(GoTo(IntArg(1)), 0);
  EXPECT_EQ(Position(), 1);  // past the end: row count + 1
  Read r = ReadField(TextArg("a"));
  EXPECT_TRUE(r.isNull);
  EXPECT_EQ(r.flag, 0);
}

TEST_F(SqliteTableTest, RecordsFollowAscendingRowIds) {
  ASSERT_EQ(OpenTable("machines"), 1);
  EXPECT_EQ(Position(), 0);
  EXPECT_EQ(Cursor()->rowCount, 3);
  const char* expected[] = {"AA-05", "AA-17", "AA-100"};
  for (int i = 0; i < 3; i++) {
    EXPECT_EQ(GoTo(IntArg(i + 1)), 1);
    EXPECT_EQ(Text("mac"), expected[i]) << "record " << i + 1;
  }
  EXPECT_EQ(GoTo(IntArg(4)), 0);
  EXPECT_EQ(Position(), 4);
}

TEST_F(SqliteTableTest, ChineseTextComesBackInGbk) {
  ASSERT_EQ(OpenTable("machines"), 1);
  GoTo(IntArg(1));
  EXPECT_EQ(Text("MACHINE"), "机器五");
  EXPECT_EQ(Text("ip"), "16777343");  // integers read as their decimal text
  EXPECT_EQ(Text("名称"), "n5");       // a GBK column name goes through both conversions
}

TEST_F(SqliteTableTest, SnapshotStatementsAreExact) {
  StatementLog log(Connection());
  ASSERT_EQ(OpenTable("machines"), 1);
  // One read transaction for both, ended with them, over a file mapped
  // only as long.
  EXPECT_EQ(log.texts, (std::vector<std::string>{"PRAGMA mmap_size=268435456", "BEGIN",
                                                 "SELECT * FROM machines LIMIT 0",
                                                 "SELECT _ROWID_ FROM machines ORDER BY _ROWID_ ", "COMMIT",
                                                 "PRAGMA mmap_size=0"}));
}

TEST_F(SqliteTableTest, NamesMatchIgnoringCaseAndTheStatementUsesTheStoredName) {
  ASSERT_EQ(OpenTable("machines"), 1);
  ASSERT_EQ(GoTo(IntArg(2)), 1);
  StatementLog log(Connection());
  EXPECT_EQ(Text("MAC"), "AA-17");
  EXPECT_EQ(Text("Machine"), "pc-17");
  // The first read begins the read transaction that the two reads share.
  EXPECT_EQ(log.texts, (std::vector<std::string>{"BEGIN", "SELECT mac FROM machines WHERE _ROWID_ = 17 ",
                                                 "SELECT MACHINE FROM machines WHERE _ROWID_ = 17 "}));
}

TEST_F(SqliteTableTest, NullAndEmptyReadEmptyButSucceed) {
  ASSERT_EQ(OpenTable("machines"), 1);
  GoTo(IntArg(1));
  struct Case { ArgValue field; bool ok; const char* why; } cases[] = {
      {TextArg("note"), true, "SQL NULL"},
      {TextArg("nope"), false, "no such column"},
      {TextArg(""), false, "empty name"},
      {TextArg(nullptr), false, "null name"},
  };
  for (const Case& c : cases) {
    Read r = ReadField(c.field);
    EXPECT_TRUE(r.isNull) << c.why;
    EXPECT_EQ(r.flag, c.ok ? 1 : 0) << c.why;
  }
  GoTo(IntArg(3));
  Read empty = ReadField(TextArg("note"));
  EXPECT_TRUE(empty.isNull);
  EXPECT_EQ(empty.flag, 1);
  // A character with no GBK form is still a value: it reads as '?'.
  GoTo(IntArg(2));
  Read noGbk = ReadField(TextArg("note"));
  EXPECT_EQ(noGbk.text, "?");
  EXPECT_EQ(noGbk.flag, 1);
}

TEST_F(SqliteTableTest, ColumnNumbersOfEveryNumericKind) {
  ASSERT_EQ(OpenTable("machines"), 1);
  GoTo(IntArg(1));
  ArgValue asByte{}, asShort{}, asFloat{};
  asByte.v.u8 = 2, asByte.type = kTypeByte;
  asShort.v.i16 = 2, asShort.type = kTypeShort;
  asFloat.v.f32 = 2.9f, asFloat.type = kTypeFloat;
  // A double beyond 32 bits counts by the low word of its 64-bit integer.
  ArgValue column2[] = {asByte, asShort, IntArg(2), LongArg(2), LongArg(0x500000002LL), asFloat,
                        DoubleArg(2.9), DoubleArg(4294967298.0)};
  for (const ArgValue& f : column2) {
    Read r = ReadField(f);
    EXPECT_EQ(r.text, "AA-05") << std::hex << f.type;
    EXPECT_EQ(r.flag, 1);
  }
  ArgValue bad[] = {IntArg(0), IntArg(-1), IntArg(6), DoubleArg(0.9), DoubleArg(-1e300), DoubleArg(1e300),
                    BoolArg(true), OmittedArg()};
  for (const ArgValue& f : bad) {
    Read r = ReadField(f);
    const uint64_t bits = f.v.u64;  // a copy: operator<< takes a reference
    EXPECT_TRUE(r.isNull) << std::hex << f.type << " " << bits;
    EXPECT_EQ(r.flag, 0);
  }
}

TEST_F(SqliteTableTest, Moves) {
  ASSERT_EQ(OpenTable("machines"), 1);
  enum Move { kSkip, kGoTo };
  struct Step { const char* what; Move move; ArgValue arg; int32_t answer; int32_t position; } steps[] = {
      {"Skip 0 at the start", kSkip, IntArg(0), 0, 0},
      {"Skip omitted", kSkip, OmittedArg(), 1, 1},
      {"Skip 0 on a record", kSkip, IntArg(0), 0, 1},
      {"Skip 2", kSkip, IntArg(2), 1, 3},
      {"Skip past the end", kSkip, IntArg(1), 0, 4},
      {"Skip further", kSkip, IntArg(5), 0, 4},
      {"back from past the end", kSkip, IntArg(-1), 1, 3},
      {"Skip -3", kSkip, IntArg(-3), 0, 0},
      {"GoTo 2", kGoTo, IntArg(2), 1, 2},
      {"GoTo -5", kGoTo, IntArg(-5), 0, 0},
      {"GoTo 3", kGoTo, IntArg(3), 1, 3},
      {"GoTo 0", kGoTo, IntArg(0), 0, 0},
      {"GoTo beyond", kGoTo, IntArg(1000), 0, 4},
      {"Skip most negative", kSkip, IntArg(INT32_MIN), 0, 0},
      {"GoTo largest", kGoTo, IntArg(INT32_MAX), 0, 4},
      {"Skip largest", kSkip, IntArg(INT32_MAX), 0, 4},
  };
  for (const Step& s : steps) {
    EXPECT_EQ(s.move == kSkip ? Skip(s.arg) : GoTo(s.arg), s.answer) << s.what;
    EXPECT_EQ(Position(), s.position) << s.what;
  }
}

TEST_F(SqliteTableTest, ReadsOffARecordFail) {
  ASSERT_EQ(OpenTable("machines"), 1);
  EXPECT_EQ(ReadField(TextArg("mac")).flag, 0);  // before the first record
  GoTo(IntArg(4));
  EXPECT_EQ(ReadField(TextArg("mac")).flag, 0);  // past the last
}

TEST_F(SqliteTableTest, SnapshotKeepsDeletedRowsAndIgnoresNewOnes) {
  ASSERT_EQ(OpenTable("machines"), 1);
  Exec("DELETE FROM machines WHERE rowid = 17; INSERT INTO machines(rowid, mac) VALUES (1, 'new');");
  EXPECT_EQ(Cursor()->rowCount, 3);
  GoTo(IntArg(1));
  EXPECT_EQ(Text("mac"), "AA-05");  // row id 1 is not in the snapshot
  GoTo(IntArg(2));
  Read gone = ReadField(TextArg("mac"));
  EXPECT_TRUE(gone.isNull);
  EXPECT_EQ(gone.flag, 0);
  EXPECT_EQ(Position(), 2);
  GoTo(IntArg(3));
  EXPECT_EQ(Text("mac"), "AA-100");
}

TEST_F(SqliteTableTest, EveryReadSeesTheCurrentValue) {
  ASSERT_EQ(OpenTable("machines"), 1);
  GoTo(IntArg(3));
  EXPECT_EQ(Text("mac"), "AA-100");
  Exec("UPDATE machines SET mac = 'BB-100' WHERE rowid = 100");
  EXPECT_EQ(Text("mac"), "BB-100");
}

TEST_F(SqliteTableTest, OpenFailures) {
  EXPECT_EQ(OpenTable("no_such_table"), 0);
  EXPECT_EQ(Cursor()->openFlag, 0);
  EXPECT_EQ(Cursor()->connection, nullptr);
  EXPECT_EQ(OpenTable(""), 0);
  EXPECT_EQ(OpenTable(nullptr), 0);
  // The database argument must be an open database object.
  EXPECT_EQ(Call(SqliteTable::Open, {table_.Ref(), TextArg("machines"), IntArg(1)}).v.i32, 0);
  dbtest::Object closed(kSqliteDbTypeCode, SqliteDB::Construct, SqliteDB::Destruct);
  EXPECT_EQ(Call(SqliteTable::Open, {table_.Ref(), TextArg("machines"), closed.Ref()}).v.i32, 0);
}

TEST_F(SqliteTableTest, FailedOpenEmptiesAnOpenCursor) {
  ASSERT_EQ(OpenTable("machines"), 1);
  GoTo(IntArg(2));
  EXPECT_EQ(OpenTable("no_such_table"), 0);
  EXPECT_EQ(Cursor()->rowCount, 0);
  EXPECT_EQ(Position(), 0);
  EXPECT_EQ(GoTo(IntArg(1)), 0);
  EXPECT_EQ(ReadField(TextArg("mac")).flag, 0);
}

TEST_F(SqliteTableTest, CloseEmptiesTheCursor) {
  ASSERT_EQ(OpenTable("machines"), 1);
  GoTo(IntArg(1));
  EXPECT_EQ(Call(SqliteTable::Close, {table_.Ref()}).v.i32, 1);
  EXPECT_EQ(Cursor()->rowCount, 0);
  EXPECT_EQ(Cursor()->tableName[0], 0);
  EXPECT_EQ(GoTo(IntArg(1)), 0);
  EXPECT_EQ(Position(), 0);
  EXPECT_EQ(ReadField(TextArg("mac")).flag, 0);
  EXPECT_EQ(Call(SqliteTable::Close, {table_.Ref()}).v.i32, 1);
}

// The table keeps the connection handle without owning it; once the
// database object closed or re-opened, reads are refused instead of using a
// freed handle.
TEST_F(SqliteTableTest, ReadAfterTheDatabaseClosedIsRefused) {
  ASSERT_EQ(OpenTable("machines"), 1);
  GoTo(IntArg(1));
  ASSERT_EQ(Text("mac"), "AA-05");
  ASSERT_EQ(Call(SqliteDB::Close, {db_.Ref()}).v.i32, 1);
  Read r = ReadField(TextArg("mac"));
  EXPECT_TRUE(r.isNull);
  EXPECT_EQ(r.flag, 0);
  EXPECT_EQ(GoTo(IntArg(2)), 0);

  ASSERT_EQ(Call(SqliteDB::Open, {db_.Ref(), TextArg(dir_.Gbk(L"machines.db").c_str())}).v.i32, 1);
  EXPECT_EQ(ReadField(TextArg("mac")).flag, 0);
  // Opening the table again on the new connection works.
  ASSERT_EQ(OpenTable("machines"), 1);
  GoTo(IntArg(1));
  EXPECT_EQ(Text("mac"), "AA-05");
}

TEST_F(SqliteTableTest, NamesAndStatementsThatDoNotFitAreRefused) {
  // "SELECT _ROWID_ FROM " + name + " ORDER BY _ROWID_ " is 38 + n bytes,
  // and must stay below 1024 with its NUL: n = 985 fits, 986 does not.
  std::string fits(985, 't'), tooLong(986, 'u'), shortColumn = "a", longColumn(40, 'c');
  Exec(("CREATE TABLE " + fits + "(" + shortColumn + ", " + longColumn + ");").c_str());
  Exec(("INSERT INTO " + fits + " VALUES ('x', 'y');").c_str());
  Exec(("CREATE TABLE " + tooLong + "(a);").c_str());
  EXPECT_EQ(OpenTable(fits.c_str()), 1);
  GoTo(IntArg(1));
  // "SELECT a FROM <985> WHERE _ROWID_ = 1 " is 1018 bytes: it fits; with
  // the 40-byte column name it does not.
  EXPECT_EQ(Text(shortColumn.c_str()), "x");
  Read r = ReadField(TextArg(longColumn.c_str()));
  EXPECT_TRUE(r.isNull);
  EXPECT_EQ(r.flag, 0);
  EXPECT_EQ(OpenTable(tooLong.c_str()), 0);
  EXPECT_EQ(OpenTable(std::string(1024, 'v').c_str()), 0);
  EXPECT_EQ(OpenTable(std::string(5000, 'v').c_str()), 0);
}

TEST_F(SqliteTableTest, ReadWithoutLogicalVariable) {
  ASSERT_EQ(OpenTable("machines"), 1);
  GoTo(IntArg(1));
  ArgValue r = Call(SqliteTable::ReadFieldText, {table_.Ref(), TextArg("mac"), OmittedArg()});
  EXPECT_EQ(r.type, kTypeText);
  EXPECT_STREQ(r.v.text, "AA-05");
  dbtest::FreeResult(r.v.ptr);
}

}  // namespace
