// The table unit beside a second connection that writes: reads wait for the
// writer's lock for a bounded time, the reads of one record share a read
// transaction, and that transaction lets the writer in once the cursor has
// moved on, the reads are done or the cursor closed. The writer is a real SQLite connection on its own
// thread, so the two connections' file locks really collide.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdio>
#include <string>

#include "db/db_library.h"
#include "db/lock_wait.h"
#include "db/read_transaction.h"
#include "db/ticks.h"
#include "tests/db_damage.h"
#include "tests/db_test_support.h"
#include "tests/lock_holder.h"

namespace {

using dbtest::FieldRead;
using dbtest::LockHolder;

constexpr const char* kMachines =
    "CREATE TABLE tPcBaseInfo(MACHINE TEXT, mac TEXT, ip INTEGER);"
    "INSERT INTO tPcBaseInfo VALUES ('pc-1', 'AA-01', 1), ('pc-2', 'AA-02', 2), ('pc-3', 'AA-03', 3);";

// Comfortably longer than the read transaction's bound.
constexpr DWORD kPastTheBoundMs = 10 * db::kReadTransactionBoundUs / 1000;

class ReadTransactionTest : public testing::Test {
 protected:
  void SetUp() override {
    DatabaseLibNotify(kLibInit, reinterpret_cast<intptr_t>(&dbtest::BlockCounter::Notify), 0);
    ASSERT_TRUE(dbtest::MakeDatabase(Path(), kMachines));
    ASSERT_EQ(sqlite3_open(Path().c_str(), &other_), SQLITE_OK);
    ASSERT_EQ(s_.OpenDatabase(dir_.Gbk(L"machines.db")), 1);
    ASSERT_EQ(s_.OpenTable("tPcBaseInfo"), 1);
    ASSERT_EQ(s_.GoTo(1), 1);
  }
  void TearDown() override { sqlite3_close(other_); }
  std::string Path() const { return dir_.Utf8(L"machines.db"); }

  // Whether another connection gets its write lock at once: it does not
  // while the reader holds its shared lock.
  bool OtherCanWrite() { return dbtest::WritesAtOnce(Path()); }

  dbtest::TempFolder dir_;
  sqlite3* other_ = nullptr;
  dbtest::TableSession s_;
};

// Before the connections waited for locks every read that met one failed at
// once.
TEST_F(ReadTransactionTest, ReadWaitsForTheWritersCommitAndSeesIt) {
  LockHolder writer(Path(), "UPDATE tPcBaseInfo SET mac = 'BB-01' WHERE rowid = 1", 300);
  ASSERT_TRUE(writer.WaitLocked());
  FieldRead r = s_.Read("mac");
  EXPECT_EQ(r.text, "BB-01");  // only readable after the commit
  EXPECT_EQ(r.flag, 1);
  EXPECT_EQ(r.outcome, 0);
}

// A lock that is never released: the read waits out the connection's
// budget, then fails, and says so apart from an empty value. The program's
// budget is two seconds, well under the 5 s after which Windows calls its
// window hung; here the connection gets a short one, so that a wait that
// ignores the budget (or outgrows it) shows at once. The read cannot give
// up before the budget: only time really spent waiting counts against it.
// What comes after the budget is the lock attempts between the waits, a
// small part of it even on a loaded machine, hence the generous ratio.
TEST_F(ReadTransactionTest, LockHeldPastTheBudgetFailsTheReadOnceTheBudgetIsSpent) {
  constexpr int kBudgetMs = 300;
  constexpr int kAtMostBudgets = 4;
  EXPECT_EQ(db::SetLockWaitBudget(s_.Connection(), kBudgetMs), 2000) << "the program's budget";
  {
    LockHolder writer(Path(), "UPDATE tPcBaseInfo SET mac = 'BB-01' WHERE rowid = 1", -1);
    ASSERT_TRUE(writer.WaitLocked());
    const int64_t start = db::NowTicks();
    FieldRead r = s_.Read("mac");
    const double waitedMs = 1000.0 * (db::NowTicks() - start) / db::TicksPerSecond();
    EXPECT_TRUE(r.isNull);
    EXPECT_EQ(r.flag, 0);
    EXPECT_EQ(r.outcome, 3);
    EXPECT_GE(waitedMs, kBudgetMs);
    EXPECT_LT(waitedMs, kAtMostBudgets * kBudgetMs);
    printf("gave up after %.0f ms\n", waitedMs);
  }
  FieldRead again = s_.Read("mac");
  EXPECT_EQ(again.text, "BB-01");
  EXPECT_EQ(again.outcome, 0);
}

TEST_F(ReadTransactionTest, ReadsOfOneRecordShareATransactionThatEndsAtAMoveAfterTheBound) {
  ASSERT_TRUE(OtherCanWrite());
  EXPECT_EQ(s_.Read("MACHINE").text, "pc-1");
  EXPECT_EQ(s_.Read("mac").text, "AA-01");
  EXPECT_FALSE(OtherCanWrite());  // between the reads of one record
  Sleep(kPastTheBoundMs);
  EXPECT_EQ(s_.Skip(1), 1);
  EXPECT_TRUE(OtherCanWrite());
  EXPECT_EQ(s_.Read("mac").text, "AA-02");  // a new transaction
  EXPECT_FALSE(OtherCanWrite());
}

// The server must not wait while the list is filled or a message is shown:
// the lock goes with the last read, however young the transaction is.
TEST_F(ReadTransactionTest, TheTransactionEndsAsSoonAsTheReadsDo) {
  struct Case {
    const char* what;
    int32_t (*move)(dbtest::TableSession&);
  } cases[] = {
      {"past the last record", [](dbtest::TableSession& s) { return s.Skip(1); }},
      {"before the first record", [](dbtest::TableSession& s) { return s.GoTo(0); }},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(s_.GoTo(3), 1);
    EXPECT_EQ(s_.Read("mac").text, "AA-03") << c.what;
    EXPECT_FALSE(OtherCanWrite()) << c.what;
    EXPECT_EQ(c.move(s_), 0) << c.what;
    EXPECT_TRUE(OtherCanWrite()) << c.what;
  }
}

TEST_F(ReadTransactionTest, AReadOfADamagedRecordEndsTheTransaction) {
  s_.CloseTable();
  s_.CloseDatabase();
  // Page 2 holds every row; only the long MAC's overflow pages follow it.
  std::string longMac(10000, 'm');
  std::string sql = "UPDATE tPcBaseInfo SET mac = '" + longMac + "' WHERE rowid = 2";
  ASSERT_EQ(sqlite3_exec(other_, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(other_);
  other_ = nullptr;
  ASSERT_TRUE(dbtest::PoisonPagesFrom(Path(), 3));
  ASSERT_EQ(s_.OpenDatabase(dir_.Gbk(L"machines.db")), 1);
  ASSERT_EQ(s_.OpenTable("tPcBaseInfo"), 1);
  ASSERT_EQ(s_.GoTo(2), 1);
  EXPECT_EQ(s_.Read("MACHINE").text, "pc-2");
  EXPECT_FALSE(OtherCanWrite());
  EXPECT_EQ(s_.Read("mac").outcome, 3);
  EXPECT_TRUE(OtherCanWrite()) << "the cursor still rests on the record";
}

// Two tables on one connection share whatever transaction is open; each
// ends only the one it began.
TEST_F(ReadTransactionTest, ATransactionIsEndedOnlyByTheTableThatBeganIt) {
  dbtest::Object second(kSqliteTableTypeCode, SqliteTable::Construct, SqliteTable::Destruct);
  ASSERT_EQ(dbtest::Call(SqliteTable::Open, {second.Ref(), TextArg("tPcBaseInfo"), s_.db.Ref()}).v.i32, 1);
  EXPECT_EQ(s_.Read("mac").text, "AA-01");  // the first table begins
  ASSERT_FALSE(OtherCanWrite());
  EXPECT_EQ(dbtest::Call(SqliteTable::GoTo, {second.Ref(), IntArg(1)}).v.i32, 1);
  EXPECT_EQ(dbtest::Call(SqliteTable::GoTo, {second.Ref(), IntArg(9)}).v.i32, 0);
  dbtest::Call(SqliteTable::Close, {second.Ref()});
  EXPECT_FALSE(OtherCanWrite()) << "the second table ended the first one's transaction";
  EXPECT_EQ(s_.GoTo(9), 0);
  EXPECT_TRUE(OtherCanWrite());
}

// Every way the cursor or its connection goes away ends the transaction.
TEST_F(ReadTransactionTest, CloseOpenDestructorAndDatabaseCloseEndTheTransaction) {
  struct Case {
    const char* what;
    void (*end)(dbtest::TableSession&);
  } cases[] = {
      {"table Close", [](dbtest::TableSession& s) { s.CloseTable(); }},
      {"a new Open", [](dbtest::TableSession& s) { s.OpenTable("tPcBaseInfo"); }},
      {"a failed Open", [](dbtest::TableSession& s) { s.OpenTable("no_such_table"); }},
      {"database Close", [](dbtest::TableSession& s) { s.CloseDatabase(); }},
      {"table destructor",
       [](dbtest::TableSession& s) {
         dbtest::Call(SqliteTable::Destruct, {s.table.Ref()});
         dbtest::Call(SqliteTable::Construct, {s.table.Ref()});  // whole again for its own destructor
       }},
  };
  for (const Case& c : cases) {
    dbtest::TableSession s;
    ASSERT_EQ(s.OpenDatabase(dir_.Gbk(L"machines.db")), 1);
    ASSERT_EQ(s.OpenTable("tPcBaseInfo"), 1);
    s.GoTo(1);
    EXPECT_EQ(s.Read("mac").outcome, 0) << c.what;
    EXPECT_FALSE(OtherCanWrite()) << c.what;
    c.end(s);
    EXPECT_TRUE(OtherCanWrite()) << c.what;
  }
}

// In WAL mode the writer is not held up at all; the reader's transaction
// shows the four reads of a record one state of the table.
TEST_F(ReadTransactionTest, ReadsOfOneRecordSeeOneStateOfAWalDatabase) {
  s_.CloseTable();
  s_.CloseDatabase();
  ASSERT_EQ(sqlite3_exec(other_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr), SQLITE_OK);
  ASSERT_EQ(s_.OpenDatabase(dir_.Gbk(L"machines.db")), 1);
  ASSERT_EQ(s_.OpenTable("tPcBaseInfo"), 1);
  s_.GoTo(1);
  EXPECT_EQ(s_.Read("mac").text, "AA-01");
  ASSERT_EQ(sqlite3_exec(other_, "UPDATE tPcBaseInfo SET mac = 'BB-01' WHERE rowid = 1", nullptr, nullptr, nullptr),
            SQLITE_OK);
  EXPECT_EQ(s_.Read("mac").text, "AA-01");
  Sleep(kPastTheBoundMs);
  s_.GoTo(1);
  EXPECT_EQ(s_.Read("mac").text, "BB-01");
}

}  // namespace
