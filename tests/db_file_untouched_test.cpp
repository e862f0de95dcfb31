// The server's file as the reader leaves it: a WAL database's committed rows
// are read and nothing is checkpointed into the file; a name cannot make the
// reader run a statement of its own; a hot journal is the one thing SQLite
// itself writes back.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "db/db_library.h"
#include "db/table_cursor.h"
#include "tests/db_test_support.h"
#include "tools/driver/driver.h"

namespace {

using driver::FileSnapshot;
using driver::SnapshotOf;

class FileUntouchedTest : public testing::Test {
 protected:
  void SetUp() override {
    DatabaseLibNotify(kLibInit, reinterpret_cast<intptr_t>(&dbtest::BlockCounter::Notify), 0);
  }
  std::wstring File(const wchar_t* suffix = L"") const { return dir_.Wide(L"server.db") + suffix; }
  std::string Utf8() const { return dir_.Utf8(L"server.db"); }
  std::string Gbk() const { return dir_.Gbk(L"server.db"); }
  int64_t Count(sqlite3* db, const char* sql) {
    sqlite3_stmt* st = nullptr;
    int64_t n = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
      n = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    return n;
  }
  // Every MAC of the table, in record order, read through the unit.
  std::string Macs(dbtest::TableSession& s) {
    std::string macs;
    for (bool on = s.GoTo(1); on; on = s.Skip(1)) macs += s.Read("mac").text + ";";
    return macs;
  }
  dbtest::TempFolder dir_;
};

TEST_F(FileUntouchedTest, WalRowsAreReadAndClosingCheckpointsNothing) {
  // The server keeps committed rows in the -wal file: it closes without a
  // checkpoint, as a crashed or still running server leaves them.
  sqlite3* server = nullptr;
  ASSERT_EQ(sqlite3_open(Utf8().c_str(), &server), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(server,
                         "PRAGMA journal_mode=WAL; CREATE TABLE tPcBaseInfo(MACHINE, mac, ip);"
                         "INSERT INTO tPcBaseInfo VALUES ('pc-1', 'AA-01', 1);"
                         "PRAGMA wal_checkpoint; PRAGMA wal_autocheckpoint=0;"
                         "INSERT INTO tPcBaseInfo VALUES ('pc-2', 'AA-02', 2), ('pc-3', 'AA-03', 3);",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_db_config(server, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
  sqlite3_close(server);
  FileSnapshot before = SnapshotOf(File());
  ASSERT_TRUE(SnapshotOf(File(L"-wal")).exists);

  {
    dbtest::TableSession s;
    ASSERT_EQ(s.OpenDatabase(Gbk()), 1);
    ASSERT_EQ(s.OpenTable("tPcBaseInfo"), 1);
    EXPECT_EQ(Macs(s), "AA-01;AA-02;AA-03;");
    s.CloseTable();
    EXPECT_EQ(s.CloseDatabase(), 1);
  }
  EXPECT_TRUE(SnapshotOf(File()) == before);
  EXPECT_TRUE(SnapshotOf(File(L"-wal")).exists);
}

TEST_F(FileUntouchedTest, RollbackJournalDatabaseIsNotWritten) {
  ASSERT_TRUE(dbtest::MakeDatabase(Utf8(), "CREATE TABLE tPcBaseInfo(MACHINE, mac, ip);"
                                           "INSERT INTO tPcBaseInfo VALUES ('pc-1', 'AA-01', 1);"));
  FileSnapshot before = SnapshotOf(File());
  {
    dbtest::TableSession s;
    ASSERT_EQ(s.OpenDatabase(Gbk()), 1);
    ASSERT_EQ(s.OpenTable("tPcBaseInfo"), 1);
    EXPECT_EQ(Macs(s), "AA-01;");
  }
  EXPECT_TRUE(SnapshotOf(File()) == before);
  EXPECT_FALSE(SnapshotOf(File(L"-journal")).exists);
}

// A server that crashed in the middle of a transaction leaves a hot journal
// and a file holding half-written pages. The first reader must roll the
// journal back before it can read: SQLite writes the original pages back
// into the file and deletes the journal; the rows read are the last
// committed ones, and the file is again byte for byte what it was before
// the crashed transaction.
TEST_F(FileUntouchedTest, HotJournalIsRolledBackByTheFirstRead) {
  std::string source = dir_.Utf8(L"source.db");
  ASSERT_TRUE(dbtest::MakeDatabase(source,
                                   "CREATE TABLE tPcBaseInfo(MACHINE, mac, ip);"
                                   "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000)"
                                   " INSERT INTO tPcBaseInfo SELECT 'pc-' || i, printf('%.200c', 'm'), i FROM n;"));
  FileSnapshot committed = SnapshotOf(dir_.Wide(L"source.db"));

  // A small cache makes the update spill its pages into the file before the
  // commit; the file and its journal are copied as a crash would leave them.
  sqlite3* server = nullptr;
  ASSERT_EQ(sqlite3_open(source.c_str(), &server), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(server, "PRAGMA cache_size=10; BEGIN; UPDATE tPcBaseInfo SET mac = 'changed';", nullptr,
                         nullptr, nullptr),
            SQLITE_OK);
  ASSERT_TRUE(CopyFileW(dir_.Wide(L"source.db").c_str(), File().c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(dir_.Wide(L"source.db-journal").c_str(), File(L"-journal").c_str(), FALSE));
  sqlite3_exec(server, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(server);
  ASSERT_NE(SnapshotOf(File()).bytes, committed.bytes);  // the crash left half-written pages

  dbtest::TableSession s;
  ASSERT_EQ(s.OpenDatabase(Gbk()), 1);
  ASSERT_EQ(s.OpenTable("tPcBaseInfo"), 1);
  s.GoTo(2000);
  EXPECT_EQ(s.Read("mac").text, std::string(200, 'm'));
  EXPECT_FALSE(SnapshotOf(File(L"-journal")).exists);
  EXPECT_EQ(SnapshotOf(File()).bytes, committed.bytes);
}

// sqlite3_get_table runs every statement of its text, and a field read
// would read whatever its first statement selects: a name that ends the
// statement early is refused, and the file keeps every byte.
TEST_F(FileUntouchedTest, NamesThatAddAStatementAreRefused) {
  ASSERT_TRUE(dbtest::MakeDatabase(
      Utf8(),
      "CREATE TABLE t(MACHINE, mac, ip); INSERT INTO t VALUES ('pc-1', 'AA-01', 1), ('pc-2', 'AA-02', 2);"
      "CREATE TABLE victim(x); INSERT INTO victim VALUES (1), (2);"
      "CREATE TABLE odd(\"mac FROM t; DELETE FROM victim; SELECT mac\", mac);"
      "INSERT INTO odd VALUES ('o1', 'm1'), ('o2', 'm2');"));
  FileSnapshot before = SnapshotOf(File());
  {
    dbtest::TableSession s;
    ASSERT_EQ(s.OpenDatabase(Gbk()), 1);
    const char* names[] = {"t; DELETE FROM victim; SELECT _ROWID_ FROM t", "t;DELETE FROM victim",
                           "t; ", "t ORDER BY 1; DELETE FROM victim; SELECT 1"};
    for (const char* name : names) {
      EXPECT_EQ(s.OpenTable(name), 0) << name;
      EXPECT_EQ(s.Read("mac").outcome, 2) << name;
    }
    // A column name that would end the field statement early: its first
    // statement reads another table's first row, whatever the record.
    ASSERT_EQ(s.OpenTable("odd"), 1);
    s.GoTo(2);
    dbtest::FieldRead r = s.Read(IntArg(1));
    EXPECT_TRUE(r.isNull);
    EXPECT_EQ(r.flag, 0);
    EXPECT_EQ(s.Read("mac").text, "m2");
    EXPECT_EQ(Count(s.Connection(), "SELECT count(*) FROM victim"), 2);
  }
  EXPECT_TRUE(SnapshotOf(File()) == before);
}

// A table object handed a database object whose connection slot holds a
// handle that no database object registered (forged, or left from a closed
// one) must not use it.
TEST_F(FileUntouchedTest, UnregisteredConnectionIsRefused) {
  ASSERT_TRUE(dbtest::MakeDatabase(Utf8(), "CREATE TABLE t(MACHINE, mac, ip); INSERT INTO t VALUES ('a', 'b', 1);"));
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(Utf8().c_str(), &raw), SQLITE_OK);
  dbtest::Object forged(kSqliteDbTypeCode, SqliteDB::Construct, SqliteDB::Destruct);
  auto* slot = &static_cast<SqliteDbStorage*>(forged.Storage())->connection;
  *slot = raw;
  dbtest::Object table(kSqliteTableTypeCode, SqliteTable::Construct, SqliteTable::Destruct);
  EXPECT_EQ(dbtest::Call(SqliteTable::Open, {table.Ref(), TextArg("t"), forged.Ref()}).v.i32, 0);

  db::TableCursor cursor;
  EXPECT_FALSE(cursor.Open("t", raw));
  EXPECT_FALSE(cursor.IsOpen());
  *slot = nullptr;  // the handle is the test's to close
  sqlite3_close(raw);
}

}  // namespace
