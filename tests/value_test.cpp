#include <gtest/gtest.h>

#include "runtime/value.h"

TEST(ValueLayout, ArgValueIsTwelveBytesWithValueFirst) {
  ArgValue a[2] = {};
  EXPECT_EQ(reinterpret_cast<char*>(&a[1]) - reinterpret_cast<char*>(&a[0]), 12);
  a[0].v.u64 = 0x1122334455667788ull;
  const auto* words = reinterpret_cast<const uint32_t*>(&a[0]);
  EXPECT_EQ(words[0], 0x55667788u);
  EXPECT_EQ(words[1], 0x11223344u);
}

TEST(ValueLayout, NumericKindsAreExactlyTheSix) {
  for (uint32_t t : {kTypeByte, kTypeShort, kTypeInt, kTypeLong, kTypeFloat, kTypeDouble})
    EXPECT_TRUE(IsNumericType(t)) << std::hex << t;
  for (uint32_t t : {kTypeBool, kTypeDateTime, kTypeText, kTypeBytes, kTypeInt | kTypeArrayFlag,
                     uint32_t(kTypeListView)})
    EXPECT_FALSE(IsNumericType(t)) << std::hex << t;
}
