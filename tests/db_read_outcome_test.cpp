// What a field read tells its caller: a value (maybe empty), a record gone
// since the snapshot, nothing to read, or a database that could not be
// read; which fields a table has; and texts that do not convert.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "db/db_library.h"
#include "tests/db_damage.h"
#include "tests/db_test_support.h"

namespace {

using dbtest::FieldRead;

// Row 3's MAC spills onto overflow pages, the only pages after page 2 (the
// table's root, which holds every row id). Damaging those pages leaves the
// snapshot whole and makes row 3's MAC and IP unreadable.
constexpr const char* kMachines =
    "CREATE TABLE tPcBaseInfo(MACHINE TEXT, mac TEXT, ip INTEGER);"
    "INSERT INTO tPcBaseInfo(rowid, MACHINE, mac, ip) VALUES"
    " (1, 'pc-1', 'AA-01', 1), (2, '', NULL, 2), (4, 'pc-4', 'AA-04', 4);"
    "INSERT INTO tPcBaseInfo(rowid, MACHINE, mac, ip) VALUES (3, 'pc-3', printf('%.10000c', 'm'), 3);";

class ReadOutcomeTest : public testing::Test {
 protected:
  void SetUp() override {
    DatabaseLibNotify(kLibInit, reinterpret_cast<intptr_t>(&dbtest::BlockCounter::Notify), 0);
  }
  // A database made from sql, opened in the unit.
  void Open(const char* sql, const char* table = "tPcBaseInfo") {
    ASSERT_TRUE(dbtest::MakeDatabase(dir_.Utf8(L"machines.db"), sql));
    ASSERT_EQ(s_.OpenDatabase(dir_.Gbk(L"machines.db")), 1);
    ASSERT_EQ(s_.OpenTable(table), 1);
  }
  dbtest::TempFolder dir_;
  dbtest::TableSession s_;
};

TEST_F(ReadOutcomeTest, DamagedRecordFailsUnlikeAnEmptyValueOrADeletedRow) {
  ASSERT_TRUE(dbtest::MakeDatabase(dir_.Utf8(L"machines.db"), kMachines));
  ASSERT_TRUE(dbtest::PoisonPagesFrom(dir_.Gbk(L"machines.db"), 3));
  ASSERT_EQ(s_.OpenDatabase(dir_.Gbk(L"machines.db")), 1);
  ASSERT_EQ(s_.OpenTable("tPcBaseInfo"), 1);
  ASSERT_EQ(sqlite3_exec(s_.Connection(), "DELETE FROM tPcBaseInfo WHERE rowid = 4", nullptr, nullptr, nullptr),
            SQLITE_OK);

  struct Case {
    int record;
    const char* field;
    const char* text;
    int32_t flag, outcome;
    const char* why;
  } cases[] = {
      {1, "mac", "AA-01", 1, 0, "a value"},
      {2, "MACHINE", "", 1, 0, "an empty value"},
      {2, "mac", "", 1, 0, "NULL"},
      {3, "MACHINE", "pc-3", 1, 0, "the undamaged start of a record"},
      {3, "mac", "", 0, 3, "a value on a damaged page"},
      {3, "ip", "", 0, 3, "a value after it"},
      {4, "mac", "", 0, 1, "a row deleted after the snapshot"},
      {1, "no_such_field", "", 0, 2, "no such column"},
      {5, "mac", "", 0, 2, "past the last record"},
  };
  for (const Case& c : cases) {
    s_.GoTo(c.record);
    FieldRead r = s_.Read(c.field);
    EXPECT_EQ(r.text, c.text) << c.why;
    EXPECT_EQ(r.flag, c.flag) << c.why;
    EXPECT_EQ(r.outcome, c.outcome) << c.why;
  }
}

TEST_F(ReadOutcomeTest, OutcomeBeforeAnyReadAndAfterClose) {
  ASSERT_NO_FATAL_FAILURE(Open(kMachines));
  EXPECT_EQ(dbtest::Call(SqliteTable::LastReadOutcome, {s_.table.Ref()}).v.i32, 2);
  s_.GoTo(1);
  EXPECT_EQ(s_.Read("mac").outcome, 0);
  s_.CloseTable();
  EXPECT_EQ(s_.Read("mac").outcome, 2);
  EXPECT_EQ(s_.Read(IntArg(0)).outcome, 2);
}

TEST_F(ReadOutcomeTest, FieldNumbersOfPresentAndMissingColumns) {
  ASSERT_NO_FATAL_FAILURE(Open(
      "CREATE TABLE tPcBaseInfo(id INTEGER PRIMARY KEY, MACHINE, mac, ip);"
      "CREATE TABLE no_mac(MACHINE, ip);"
      "CREATE TABLE no_ip(MACHINE, mac);"
      "CREATE TABLE no_machine(mac, ip, MACHINES);"));
  struct Case {
    const char* table;
    int32_t machine, mac, ip;
  } cases[] = {
      {"tPcBaseInfo", 2, 3, 4}, {"no_mac", 1, 0, 2}, {"no_ip", 1, 2, 0}, {"no_machine", 0, 1, 2}};
  for (const Case& c : cases) {
    ASSERT_EQ(s_.OpenTable(c.table), 1) << c.table;  // empty tables open
    EXPECT_EQ(s_.FieldNumber("MACHINE"), c.machine) << c.table;
    EXPECT_EQ(s_.FieldNumber("Mac"), c.mac) << c.table;  // matched ignoring ASCII case
    EXPECT_EQ(s_.FieldNumber("IP"), c.ip) << c.table;
  }
  EXPECT_EQ(s_.FieldNumber(""), 0);
  s_.CloseTable();
  EXPECT_EQ(s_.FieldNumber("mac"), 0);  // not open
}

// A machine is never lost to its bytes: whatever does not convert shows as
// '?', one per byte that is not UTF-8 and one per character GBK lacks.
// (SQL in UTF-8 hex escapes: narrow literals here are GBK.)
TEST_F(ReadOutcomeTest, FieldTextsThatDoNotConvertShowQuestionMarks) {
  ASSERT_NO_FATAL_FAILURE(Open(
      "CREATE TABLE tPcBaseInfo(MACHINE, mac, ip);"
      "INSERT INTO tPcBaseInfo VALUES"
      " (CAST(x'70638061' AS TEXT), 'AA', 1),"             // pc, a stray continuation byte, a
      " (x'7063FF00', x'C3', 2),"                          // BLOBs: 0xFF and a NUL; a cut-off lead
      " ('\xE6\x9C\xBA\xE3\x83\xBB\xF0\x9F\x98\x80', 'BB', 3),"  // 机, U+30FB, U+1F600
      " (x'E69C', x'', 4);"));
  struct Case {
    int record;
    const char* field;
    const char* text;
  } cases[] = {
      {1, "MACHINE", "pc?a"}, {2, "MACHINE", "pc??"}, {2, "mac", "?"},
      {3, "MACHINE", "机??"}, {4, "MACHINE", "??"}, {4, "mac", ""},
  };
  for (const Case& c : cases) {
    s_.GoTo(c.record);
    FieldRead r = s_.Read(c.field);
    EXPECT_EQ(r.text, c.text) << c.record << " " << c.field;
    EXPECT_EQ(r.flag, 1) << c.record << " " << c.field;
    EXPECT_EQ(r.outcome, 0) << c.record << " " << c.field;
  }
}

}  // namespace
