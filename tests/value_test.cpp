#include <gtest/gtest.h>

#include "db/db_library.h"
#include "runtime/value.h"
#include "ui/listview/listview_unit.h"

// The record sizes are static_asserts in value.h; what a compile cannot
// check is how wide each kind's element is in an array.
TEST(ValueLayout, ElementWidthOfEveryKind) {
  const struct {
    uint32_t type;
    int width;
  } cases[] = {
      {kTypeByte, 1},   {kTypeShort, 2},     {kTypeInt, 4},          {kTypeLong, 8},
      {kTypeFloat, 4},  {kTypeDouble, 8},    {kTypeBool, 4},         {kTypeDateTime, 8},
      {kTypeSubPointer, 4}, {kTypeReserved8, 8}, {kTypeText, kPtrWidth}, {kTypeBytes, kPtrWidth},
      {kTypeInt | kTypeArrayFlag, kPtrWidth}, {kSqliteTableTypeCode, kPtrWidth},
  };
  for (const auto& c : cases) EXPECT_EQ(KindWidth(c.type), c.width) << std::hex << c.type;
}

TEST(ValueLayout, NumericKindsAreExactlyTheSix) {
  for (uint32_t t : {kTypeByte, kTypeShort, kTypeInt, kTypeLong, kTypeFloat, kTypeDouble})
    EXPECT_TRUE(IsNumericType(t)) << std::hex << t;
  for (uint32_t t : {kTypeBool, kTypeDateTime, kTypeText, kTypeBytes, kTypeInt | kTypeArrayFlag,
                     uint32_t(kListViewTypeCode)})
    EXPECT_FALSE(IsNumericType(t)) << std::hex << t;
}
