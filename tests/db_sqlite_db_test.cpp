// The database unit on real files in a temp folder.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "db/db_library.h"
#include "db/sqlite_db.h"
#include "tests/db_test_support.h"

namespace {

using dbtest::Call;

class SqliteDbTest : public testing::Test {
 protected:
  void SetUp() override { DatabaseLibNotify(kLibInit, reinterpret_cast<intptr_t>(&RuntimeNotify), 0); }

  int32_t Open(const ArgValue& name, const ArgValue& create = OmittedArg()) {
    return Call(SqliteDB::Open, {db_.Ref(), name, create}).v.i32;
  }
  int32_t Close() { return Call(SqliteDB::Close, {db_.Ref()}).v.i32; }
  sqlite3* Connection() const { return static_cast<SqliteDbStorage*>(db_.Storage())->connection; }

  // A connection that really works: it can create a table and read it back.
  static bool Usable(sqlite3* c) {
    return c && sqlite3_exec(c, "CREATE TEMP TABLE probe(x); SELECT * FROM probe;", nullptr, nullptr,
                             nullptr) == SQLITE_OK;
  }

  dbtest::TempFolder dir_;
  dbtest::Object db_{kSqliteDbTypeCode, SqliteDB::Construct, SqliteDB::Destruct};
};

TEST_F(SqliteDbTest, ConstructorLeavesFortyZeroBytes) {
  const auto* bytes = static_cast<const uint8_t*>(db_.Storage());
  for (int i = 0; i < 40; i++) EXPECT_EQ(bytes[i], 0) << i;
}

TEST_F(SqliteDbTest, MissingFileWithoutCreateFlagCreatesNothing) {
  std::string name = dir_.Gbk(L"missing.db");
  EXPECT_EQ(Open(TextArg(name.c_str())), 0);
  EXPECT_EQ(Open(TextArg(name.c_str()), IntArg(0)), 0);
  EXPECT_EQ(Connection(), nullptr);
  EXPECT_FALSE(dbtest::FileExistsW(dir_.Wide(L"missing.db")));
}

TEST_F(SqliteDbTest, CreateFlagCreatesTheFile) {
  struct Case { const wchar_t* file; ArgValue flag; } cases[] = {
      {L"int.db", IntArg(1)},
      {L"bool.db", BoolArg(true)},
      {L"long-low-word.db", LongArg(0x100000002LL)},
      {L"double.db", DoubleArg(1.0)},  // its low word is 0: the value counts
  };
  for (const Case& c : cases) {
    std::string name = dir_.Gbk(c.file);
    EXPECT_EQ(Open(TextArg(name.c_str()), c.flag), 1) << name;
    EXPECT_TRUE(Usable(Connection())) << name;
    EXPECT_EQ(Close(), 1);
    EXPECT_TRUE(dbtest::FileExistsW(dir_.Wide(c.file))) << name;
  }
  // Only the low 32 bits of a long flag count.
  std::string name = dir_.Gbk(L"high-word-only.db");
  EXPECT_EQ(Open(TextArg(name.c_str()), LongArg(0x100000000LL)), 0);
  EXPECT_FALSE(dbtest::FileExistsW(dir_.Wide(L"high-word-only.db")));
}

TEST_F(SqliteDbTest, ExistingFileOpensWithoutFlag) {
  ASSERT_TRUE(dbtest::MakeDatabase(dir_.Utf8(L"old.db"), "CREATE TABLE t(a); INSERT INTO t VALUES(7);"));
  EXPECT_EQ(Open(TextArg(dir_.Gbk(L"old.db").c_str())), 1);
  int value = 0;
  sqlite3_exec(
      Connection(), "SELECT a FROM t",
      [](void* out, int, char** v, char**) { *static_cast<int*>(out) = atoi(v[0]); return 0; }, &value,
      nullptr);
  EXPECT_EQ(value, 7);
}

TEST_F(SqliteDbTest, InMemoryNamesNeedTheCreateFlag) {
  ArgValue names[] = {TextArg(":memory:"), TextArg(":MEMORY:"), TextArg(":MeMoRy:"), TextArg(""),
                      TextArg(nullptr), OmittedArg()};
  for (const ArgValue& name : names) {
    EXPECT_EQ(Open(name), 0);
    EXPECT_EQ(Connection(), nullptr);
    EXPECT_EQ(Open(name, IntArg(1)), 1);
    EXPECT_TRUE(Usable(Connection()));
  }
}

TEST_F(SqliteDbTest, ReopenClosesTheOldConnectionFirstEvenWhenTheNewOpenFails) {
  ASSERT_EQ(Open(TextArg(dir_.Gbk(L"first.db").c_str()), IntArg(1)), 1);
  // While a connection holds the file, Windows refuses to delete it.
  EXPECT_FALSE(DeleteFileW(dir_.Wide(L"first.db").c_str()));
  EXPECT_EQ(Open(TextArg(dir_.Gbk(L"missing.db").c_str())), 0);
  EXPECT_EQ(Connection(), nullptr);
  EXPECT_TRUE(DeleteFileW(dir_.Wide(L"first.db").c_str()));
}

TEST_F(SqliteDbTest, CloseOfNeverOpenedObjectAnswersOne) {
  EXPECT_EQ(Close(), 1);
  EXPECT_EQ(Close(), 1);
}

TEST_F(SqliteDbTest, CloseWithUnfinalisedStatementAnswersZeroAndForgetsTheHandle) {
  ASSERT_EQ(Open(TextArg(dir_.Gbk(L"busy.db").c_str()), IntArg(1)), 1);
  sqlite3* connection = Connection();
  sqlite3_stmt* stmt = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(connection, "SELECT 1", -1, &stmt, nullptr), SQLITE_OK);
  EXPECT_EQ(Close(), 0);
  EXPECT_EQ(Connection(), nullptr);
  EXPECT_EQ(Close(), 1);  // nothing left to close
  // The connection itself is still alive (SQLite refused to close it).
  EXPECT_EQ(sqlite3_finalize(stmt), SQLITE_OK);
  EXPECT_EQ(sqlite3_close(connection), SQLITE_OK);
}

TEST_F(SqliteDbTest, ChineseGbkNameReachesSqliteAsUtf8) {
  // 淺 (9C 5C) and 籠 (BB 5C) end in a byte that reads as a backslash.
  const std::wstring file = L"数据库淺籠.db";
  std::string gbk = dir_.Gbk(file);
  ASSERT_NE(gbk.find("\x9C\x5C"), std::string::npos);
  EXPECT_EQ(Open(TextArg(gbk.c_str()), IntArg(1)), 1);
  EXPECT_TRUE(Usable(Connection()));
  EXPECT_EQ(Close(), 1);
  EXPECT_TRUE(dbtest::FileExistsW(dir_.Wide(file)));
  // And the existing file is found again without the flag.
  EXPECT_EQ(Open(TextArg(gbk.c_str())), 1);
}

TEST_F(SqliteDbTest, NameEndingInALoneLeadByteFails) {
  std::string name = dir_.Gbk(L"bad") + "\xD6";
  EXPECT_EQ(Open(TextArg(name.c_str()), IntArg(1)), 0);
  EXPECT_EQ(Connection(), nullptr);
}

TEST_F(SqliteDbTest, FileThatIsNotADatabase) {
  // sqlite3_open itself succeeds (SQLite reads lazily): the first query fails.
  HANDLE h = CreateFileW(dir_.Wide(L"text.db").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written;
  WriteFile(h, "this is not a database file, just text padding it out ...", 58, &written, nullptr);
  CloseHandle(h);
  EXPECT_EQ(Open(TextArg(dir_.Gbk(L"text.db").c_str())), 1);
  EXPECT_FALSE(Usable(Connection()));
}

TEST_F(SqliteDbTest, NonTextNameFails) {
  EXPECT_EQ(Open(IntArg(5), IntArg(1)), 0);
  EXPECT_EQ(Connection(), nullptr);
}

TEST_F(SqliteDbTest, DestructorClosesTheConnection) {
  {
    dbtest::Object other(kSqliteDbTypeCode, SqliteDB::Construct, SqliteDB::Destruct);
    std::string name = dir_.Gbk(L"destructed.db");
    ASSERT_EQ(Call(SqliteDB::Open, {other.Ref(), TextArg(name.c_str()), IntArg(1)}).v.i32, 1);
  }
  EXPECT_TRUE(DeleteFileW(dir_.Wide(L"destructed.db").c_str()));
}

TEST(DatabaseLibrary, NotifyAnswers) {
  EXPECT_EQ(DatabaseLibNotify(kLibInit, reinterpret_cast<intptr_t>(&RuntimeNotify), 0), 0);
  EXPECT_EQ(DatabaseLibNotify(kLibShutdown, 0, 0), 0);
  for (int code : {0, 2, 5, 7, 2024}) EXPECT_EQ(DatabaseLibNotify(code, 0, 0), -1) << code;
  const LibraryInfo& info = DatabaseLibrary();
  EXPECT_EQ(info.notify, &DatabaseLibNotify);
  EXPECT_EQ(info.typeCount, 0);
}

}  // namespace
