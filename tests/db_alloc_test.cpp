// Result blocks: every text that ReadFieldText hands out comes from the
// runtime allocator through RuntimeNotify 2024 and nothing else does, so
// the caller's frees balance the allocations exactly.
#include <gtest/gtest.h>

#include "db/db_library.h"
#include "db/sqlite_db.h"
#include "db/sqlite_table.h"
#include "tests/db_test_support.h"

namespace {

using dbtest::BlockCounter;
using dbtest::Call;

class ResultBlocksTest : public testing::Test {
 protected:
  void SetUp() override {
    BlockCounter::Reset();
    DatabaseLibNotify(kLibInit, reinterpret_cast<intptr_t>(&BlockCounter::Notify), 0);
    ASSERT_TRUE(dbtest::MakeDatabase(dir_.Utf8(L"small.db"),
                                     "CREATE TABLE t(name, mac, ip);"
                                     "INSERT INTO t VALUES ('pc-1', 'AA', 1), ('pc-2', NULL, 2), "
                                     "('', 'CC', 3);"));
    ASSERT_EQ(Call(SqliteDB::Open, {db_.Ref(), TextArg(dir_.Gbk(L"small.db").c_str())}).v.i32, 1);
    ASSERT_EQ(Call(SqliteTable::Open, {table_.Ref(), TextArg("t"), db_.Ref()}).v.i32, 1);
  }
  void TearDown() override { DatabaseLibNotify(kLibInit, reinterpret_cast<intptr_t>(&RuntimeNotify), 0); }

  dbtest::TempFolder dir_;
  dbtest::Object db_{kSqliteDbTypeCode, SqliteDB::Construct, SqliteDB::Destruct};
  dbtest::Object table_{kSqliteTableTypeCode, SqliteTable::Construct, SqliteTable::Destruct};
};

// 10,000 reads over every record, past the end and every field kind of
// outcome (value, NULL, '', no such column), each result freed at once.
TEST_F(ResultBlocksTest, TenThousandReadsReleaseEveryBlock) {
  const char* fields[] = {"name", "MAC", "ip", "missing"};
  int64_t nonEmpty = 0;
  for (int i = 0; i < 10000; i++) {
    Call(SqliteTable::GoTo, {table_.Ref(), IntArg(i % 5)});
    ArgValue r = Call(SqliteTable::ReadFieldText, {table_.Ref(), TextArg(fields[i % 4]), OmittedArg()});
    if (r.v.text) {
      nonEmpty++;
      void* block = r.v.ptr;  // a copy: count() takes a reference, the field is only 4-aligned
      ASSERT_EQ(BlockCounter::outstanding.count(block), 1u) << "result not from the runtime allocator";
    }
    dbtest::FreeResult(r.v.ptr);
  }
  EXPECT_GT(nonEmpty, 3000);
  EXPECT_EQ(BlockCounter::allocations, nonEmpty);  // one block per non-empty text, nothing else
  EXPECT_EQ(BlockCounter::frees, BlockCounter::allocations);
  EXPECT_TRUE(BlockCounter::outstanding.empty());
  EXPECT_EQ(BlockCounter::strayFrees, 0);
}

// Before the runtime greeted the library there is no allocator: a read
// that would return a text fails instead.
TEST_F(ResultBlocksTest, WithoutTheCallbackReadsFail) {
  DatabaseLibNotify(kLibInit, 0, 0);
  Call(SqliteTable::GoTo, {table_.Ref(), IntArg(1)});
  int32_t flag = -1;
  ArgValue r = Call(SqliteTable::ReadFieldText, {table_.Ref(), TextArg("name"), dbtest::LogicalRef(&flag)});
  const void* text = r.v.ptr;
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(BlockCounter::allocations, 0);
}

}  // namespace
