// The field-value conversion table, one wanted kind per row, over a row of
// SQLite values.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>

#include "db/db_library.h"
#include "db/field_value.h"
#include "tests/db_test_support.h"

namespace {

using dbtest::BlockCounter;

class FieldValueTest : public testing::Test {
 protected:
  void SetUp() override {
    BlockCounter::Reset();
    DatabaseLibNotify(kLibInit, reinterpret_cast<intptr_t>(&BlockCounter::Notify), 0);
    ASSERT_EQ(sqlite3_open(":memory:", &db_), SQLITE_OK);
    // Columns: 0 integer, 1 real, 2 text, 3 NULL, 4 blob, 5 '', 6 big integer, 7 empty blob
    ASSERT_EQ(sqlite3_prepare_v2(db_, "SELECT 42, -2.75, 'abc', NULL, x'00FF10', '', 9000000000, x''", -1,
                                 &stmt_, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(stmt_), SQLITE_ROW);
  }
  void TearDown() override {
    sqlite3_finalize(stmt_);
    sqlite3_close(db_);
    DatabaseLibNotify(kLibInit, reinterpret_cast<intptr_t>(&RuntimeNotify), 0);
  }
  ArgValue Store(int column, uint32_t wanted, bool expectOk = true) {
    ArgValue r{};
    EXPECT_EQ(db::StoreColumnValue(stmt_, column, wanted, &r), expectOk) << column << " " << std::hex << wanted;
    return r;
  }

  sqlite3* db_ = nullptr;
  sqlite3_stmt* stmt_ = nullptr;
};

TEST_F(FieldValueTest, ScalarKinds) {
  struct Case { int column; uint32_t wanted; uint64_t bits; } cases[] = {
      {0, kTypeInt, 42}, {0, kTypeShort, 42}, {0, kTypeByte, 42}, {1, kTypeInt, static_cast<uint32_t>(-2)},
      {0, kTypeBool, 1}, {3, kTypeBool, 0}, {6, kTypeLong, 9000000000ull},
      {6, kTypeInt, static_cast<uint32_t>(9000000000ll)},  // SQLite's own 32-bit cut
  };
  for (const Case& c : cases) {
    ArgValue r = Store(c.column, c.wanted);
    EXPECT_EQ(r.type, c.wanted);
    const uint64_t bits = r.v.u64;  // a copy: the 8-byte field is only 4-aligned
    EXPECT_EQ(bits, c.bits) << c.column << " " << std::hex << c.wanted;
  }
  const double asDouble = Store(1, kTypeDouble).v.f64, asDate = Store(0, kTypeDateTime).v.f64;
  EXPECT_EQ(asDouble, -2.75);
  EXPECT_EQ(asDate, 42.0);
  ArgValue f = Store(1, kTypeFloat);
  EXPECT_EQ(f.v.f32, -2.75f);
  EXPECT_EQ(f.v.w.hi, 0u);
}

TEST_F(FieldValueTest, TextsAndByteSets) {
  ArgValue t = Store(2, kTypeText), n = Store(0, kTypeText);
  EXPECT_STREQ(t.v.text, "abc");
  EXPECT_STREQ(n.v.text, "42");
  EXPECT_EQ(t.type, kTypeText);
  dbtest::FreeResult(t.v.ptr);
  dbtest::FreeResult(n.v.ptr);
  const void* nullText = Store(3, kTypeText).v.ptr;
  const void* emptyText = Store(5, kTypeText).v.ptr;
  EXPECT_EQ(nullText, nullptr);
  EXPECT_EQ(emptyText, nullptr);

  ArgValue b = Store(4, kTypeBytes);
  auto* bytes = static_cast<RtArray*>(b.v.ptr);
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(bytes->dims, 1);
  EXPECT_EQ(bytes->sizes[0], 3);
  EXPECT_EQ(memcmp(&bytes->sizes[1], "\x00\xFF\x10", 3), 0);
  dbtest::FreeResult(b.v.ptr);
  const void* emptyBlob = Store(7, kTypeBytes).v.ptr;
  const void* nullBlob = Store(3, kTypeBytes).v.ptr;
  EXPECT_EQ(emptyBlob, nullptr);
  EXPECT_EQ(nullBlob, nullptr);
  EXPECT_TRUE(BlockCounter::outstanding.empty());
}

TEST_F(FieldValueTest, OtherKindsFail) {
  for (uint32_t wanted : {kTypeNone, kTypeSubPointer, kTypeText | kTypeArrayFlag, uint32_t(kSqliteDbTypeCode)}) {
    const uint64_t bits = Store(0, wanted, false).v.u64;
    EXPECT_EQ(bits, 0u) << std::hex << wanted;
  }
}

// A record that held a text gives it back once the new value is stored.
TEST_F(FieldValueTest, OldBlockIsReleased) {
  ArgValue r = Store(2, kTypeText);
  void* old = r.v.ptr;
  ASSERT_NE(old, nullptr);
  ASSERT_TRUE(db::StoreColumnValue(stmt_, 0, kTypeInt, &r));
  EXPECT_EQ(r.v.i32, 42);
  EXPECT_EQ(BlockCounter::frees, 1);
  EXPECT_EQ(BlockCounter::outstanding.count(old), 0u);
  r = Store(4, kTypeBytes);
  ASSERT_TRUE(db::StoreColumnValue(stmt_, 2, kTypeText, &r));
  EXPECT_EQ(BlockCounter::frees, 2);
  dbtest::FreeResult(r.v.ptr);
  EXPECT_TRUE(BlockCounter::outstanding.empty());
}

}  // namespace
