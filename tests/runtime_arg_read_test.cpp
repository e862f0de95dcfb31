// Reading command arguments: the one integer rule that every library uses.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>

#include "db/db_library.h"
#include "runtime/arg_read.h"

namespace {

// The cases where the database unit (clamped to 32 bits, NaN no number), the
// list view (a plain cast: undefined beyond 32 bits) and ValueToInteger
// (truncated to 64 bits, low word) used to answer differently.
TEST(ArgAsInt, FloatsTruncateTo64BitsAndKeepTheLowWord) {
  struct {
    ArgValue in;
    bool isNumber;
    int32_t out;
  } cases[] = {
      {DoubleArg(2.9), true, 2},
      {DoubleArg(-2.9), true, -2},
      {DoubleArg(-0.5), true, 0},
      {FloatArg(-2.5f), true, -2},
      {DoubleArg(2147483648.0), true, INT32_MIN},      // 2^31: past the 32-bit range, not clamped
      {DoubleArg(3e9), true, -1294967296},             // 3e9 - 2^32
      {DoubleArg(-3e9), true, 1294967296},
      {FloatArg(3e9f), true, -1294967296},
      {DoubleArg(4294967297.0), true, 1},              // 2^32 + 1
      {DoubleArg(-4294967297.0), true, -1},
      {DoubleArg(1e30), true, 0},                      // no 64-bit integer: the indefinite's low word
      {DoubleArg(-1e30), true, 0},
      {DoubleArg(INFINITY), true, 0},
      {DoubleArg(-INFINITY), true, 0},
      {DoubleArg(std::nan("")), true, 0},
      {FloatArg(std::nanf("")), true, 0},
      {LongArg(0x100000005ll), true, 5},
      {LongArg(-1), true, -1},
      {RawArg(kTypeByte, 0xFFFFFFC8), true, 200},       // only the lowest byte counts
      {RawArg(kTypeShort, 0xFFFD), true, -3},
      {RawArg(kTypeBool, 7), true, 7},
      {RawArg(kTypeSubPointer, 77), true, 77},
      {TextArg("12"), false, 0},
      {RawArg(kTypeDateTime, 0), false, 0},
      {RawArg(kTypeBytes, 0), false, 0},
      {RawArg(kTypeInt | kTypeArrayFlag, 0), false, 0},
      {RawArg(kSqliteDbTypeCode, 0), false, 0},
      {OmittedArg(), false, 0},
  };
  for (const auto& c : cases) {
    int32_t out = 12345;
    double shown;
    memcpy(&shown, &c.in.v, sizeof shown);
    EXPECT_EQ(ArgAsInt(c.in, &out), c.isNumber) << std::hex << c.in.type << " " << shown;
    EXPECT_EQ(out, c.isNumber ? c.out : 12345) << std::hex << c.in.type << " " << shown;
  }
  // A short list reads as omitted arguments; a kind without a number gives
  // the fallback as well.
  ArgValue args[] = {IntArg(4), TextArg("x")};
  EXPECT_EQ(ArgAsIntOr(2, args, 0, -1), 4);
  EXPECT_EQ(ArgAsIntOr(2, args, 1, -1), -1);
  EXPECT_EQ(ArgAsIntOr(1, args, 1, -1), -1);
  EXPECT_EQ(ArgAsIntOr(0, nullptr, 0, 9), 9);
}

}  // namespace
