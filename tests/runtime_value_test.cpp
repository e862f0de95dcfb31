// The value model and the runtime heap: texts, arrays, ConstArea, records.
#include <gtest/gtest.h>
#include <windows.h>

#include <cfenv>
#include <climits>
#include <cmath>
#include <cstring>

#include "runtime/heap.h"
#include "runtime/runtime.h"
#include "runtime/runtime_app.h"

namespace {

// Installs a ConstArea for one test and forgets it afterwards.
class ConstAreaScope {
 public:
  ConstAreaScope(const void* start, uint32_t length) { RtSetConstArea(start, length); }
  ~ConstAreaScope() { RtSetConstArea(nullptr, 0); }
  ConstAreaScope(const ConstAreaScope&) = delete;
  ConstAreaScope& operator=(const ConstAreaScope&) = delete;
};

size_t BlockSize(const void* p) { return HeapSize(GetProcessHeap(), 0, p); }

struct CompareCase {
  const char* left;
  const char* right;
  int expected;
};

TEST(RtTextCompare, OrdersByUnsignedBytesWithNullAsEmpty) {
  const CompareCase cases[] = {
      {nullptr, nullptr, 0},
      {nullptr, "", 0},
      {"", nullptr, 0},
      {"", "a", -1},
      {nullptr, "a", -1},
      {"a", nullptr, 1},
      {"a", "a", 0},
      {"b", "a", 1},
      {"a", "ab", -1},    // the text that ends first is smaller
      {"ab", "a", 1},
      {"\xb0\xa1", "z", 1},  // a GBK lead byte sorts above ASCII
      {"\x80", "\x7f", 1},
      {"z", "\xff", -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RtTextCompare(c.left, c.right), c.expected)
        << (c.left ? c.left : "(null)") << " vs " << (c.right ? c.right : "(null)");
}

TEST(RtConcat, NullPartsCountAsEmptyAndStillGiveABlock) {
  char* both = RtConcat({nullptr, nullptr});
  ASSERT_NE(both, nullptr);
  EXPECT_EQ(both[0], '\0');
  EXPECT_EQ(BlockSize(both), 1u);
  RtFree(both);

  char* mixed = RtConcat({"ab", nullptr, "", "c"});
  EXPECT_STREQ(mixed, "abc");
  EXPECT_EQ(BlockSize(mixed), 4u);
  RtFree(mixed);
  EXPECT_EQ(RtTextLength(nullptr), 0);
}

TEST(ConstArea, FreeIgnoresItAndReallocCopiesOnlyWhatItHolds) {
  static char area[32] = "literal texts live here.";
  memcpy(area + 22, "0123456789", 10);  // the last ten bytes
  char before[32];
  memcpy(before, area, sizeof area);
  ConstAreaScope scope(area, sizeof area);

  RtFree(area);       // nothing happens to a literal
  RtFree(area + 31);
  char* tail = static_cast<char*>(RtRealloc(area + 22, 100));
  ASSERT_NE(tail, nullptr);
  EXPECT_FALSE(RtInConstArea(tail));
  EXPECT_EQ(memcmp(tail, "0123456789", 10), 0);
  EXPECT_GE(BlockSize(tail), 100u);
  EXPECT_EQ(memcmp(area, before, sizeof area), 0);  // the area is left alone
  // A shrinking realloc of a literal copies only the new size.
  char* head = static_cast<char*>(RtRealloc(area, 4));
  EXPECT_EQ(memcmp(head, "lite", 4), 0);
  EXPECT_FALSE(RtInConstArea(area + 32));  // one past the end is outside
  RtFree(tail);
  RtFree(head);
}

TEST(RtTruncToInt64, TruncatesTowardZeroInEveryRoundingMode) {
  const struct {
    double in;
    int64_t out;
  } cases[] = {{2.9, 2}, {-2.9, -2}, {-0.5, 0}, {0.5, 0}, {-1.0, -1}, {4503599627370497.0, 4503599627370497}};
  // Out of range and NaN: the x86 "integer indefinite", never a trap.
  EXPECT_EQ(RtTruncToInt64(1e19), INT64_MIN);
  EXPECT_EQ(RtTruncToInt64(-1e19), INT64_MIN);
  EXPECT_EQ(RtTruncToInt64(std::nan("")), INT64_MIN);
  EXPECT_EQ(RtTruncToInt64(-9223372036854775808.0), INT64_MIN);
  for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    ASSERT_EQ(fesetround(mode), 0);
    for (const auto& c : cases) EXPECT_EQ(RtTruncToInt64(c.in), c.out) << c.in << " mode " << mode;
    EXPECT_EQ(fegetround(), mode);
  }
  fesetround(FE_TONEAREST);
}

TEST(RtArrayCount, CountsOddHeaders) {
  int32_t empty[2] = {1, 0};
  int32_t noDims[1] = {0};
  int32_t negative[1] = {-3};
  int32_t twoByThree[3 + 6] = {2, 2, 3, 1, 2, 3, 4, 5, 6};
  void* first = nullptr;
  EXPECT_EQ(RtArrayCount(reinterpret_cast<RtArray*>(empty), &first), 0);
  EXPECT_EQ(first, &empty[2]);
  EXPECT_EQ(RtArrayCount(reinterpret_cast<RtArray*>(noDims), &first), 0);
  EXPECT_EQ(first, &noDims[1]);
  EXPECT_EQ(RtArrayCount(reinterpret_cast<RtArray*>(negative)), 0);
  EXPECT_EQ(RtArrayCount(reinterpret_cast<RtArray*>(twoByThree), &first), 6);
  EXPECT_EQ(first, &twoByThree[3]);
  EXPECT_EQ(RtArrayCountOrNull(nullptr, &first), 0);
  EXPECT_EQ(first, nullptr);
}

TEST(RtElementAt, OneBasedWithinTheCount) {
  int32_t array[2 + 3] = {1, 3, 10, 20, 30};
  auto a = reinterpret_cast<RtArray*>(array);
  EXPECT_EQ(*static_cast<int32_t*>(RtElementAt(a, 1, 4)), 10);
  EXPECT_EQ(*static_cast<int32_t*>(RtElementAt(a, 3, 4)), 30);
}

TEST(RtAppendElement, ConstantTemplateIsCopiedFirstAndLeftUntouched) {
  static int32_t area[4] = {1, 0, 0x55, 0x66};  // the empty-array template
  ConstAreaScope scope(area, sizeof area);
  RtArray* var = reinterpret_cast<RtArray*>(area);
  int32_t value = 42;
  RtAppendElement(&var, 4, &value);
  ASSERT_NE(var, reinterpret_cast<RtArray*>(area));
  EXPECT_FALSE(RtInConstArea(var));
  EXPECT_EQ(var->dims, 1);
  EXPECT_EQ(var->sizes[0], 1);
  EXPECT_EQ(var->sizes[1], 42);
  EXPECT_EQ(area[0], 1);
  EXPECT_EQ(area[1], 0);
  EXPECT_EQ(area[2], 0x55);

  value = 43;
  RtAppendElement(&var, 4, &value);
  EXPECT_EQ(var->sizes[0], 2);
  EXPECT_EQ(var->sizes[2], 43);
  RtFree(var);
}

TEST(RtAppendElement, TwoDimensionsBecomeOneWithTheElementsKept) {
  auto var = static_cast<RtArray*>(RtAlloc(12 + 4 * 4));
  const int32_t block[7] = {2, 2, 2, 7, 8, 9, 10};
  memcpy(var, block, sizeof block);
  int32_t value = 11;
  RtAppendElement(&var, 4, &value);
  const int32_t expected[7] = {1, 5, 7, 8, 9, 10, 11};
  EXPECT_EQ(memcmp(var, expected, sizeof expected), 0);
  RtFree(var);

  RtArray* none = nullptr;  // a variable that never held a block
  value = 5;
  RtAppendElement(&none, 4, &value);
  EXPECT_EQ(none->dims, 1);
  EXPECT_EQ(none->sizes[0], 1);
  EXPECT_EQ(none->sizes[1], 5);
  RtFree(none);
}

TEST(RtAppendElement, ABatchFollowsTheElementsInOrder) {
  static int32_t area[4] = {1, 0, 0, 0};  // the empty-array template
  ConstAreaScope scope(area, sizeof area);
  RtArray* var = reinterpret_cast<RtArray*>(area);
  const int32_t first[2] = {1, 2}, second[3] = {3, 4, 5};
  RtAppendElements(&var, 4, first, 2);
  RtAppendElements(&var, 4, second, 0);  // nothing to add: the block stays
  RtAppendElements(&var, 4, second, 3);
  ASSERT_FALSE(RtInConstArea(var));
  const int32_t expected[7] = {1, 5, 1, 2, 3, 4, 5};
  EXPECT_EQ(memcmp(var, expected, sizeof expected), 0);
  RtFree(var);
}

TEST(RtService, MakeWritableCopiesOnlyConstantBlocks) {
  static int32_t area[3] = {1, 1, 9};
  ConstAreaScope scope(area, sizeof area);
  RtArray* var = reinterpret_cast<RtArray*>(area);
  RtService(kServiceMakeArrayWritable, 4, reinterpret_cast<intptr_t>(&var));
  ASSERT_FALSE(RtInConstArea(var));
  EXPECT_EQ(memcmp(var, area, sizeof area), 0);
  RtArray* heapBlock = var;
  RtService(kServiceMakeArrayWritable, 4, reinterpret_cast<intptr_t>(&var));
  EXPECT_EQ(var, heapBlock);
  RtFree(var);
}

TEST(RtService, CleanupRegistrationKeepsOrderWithoutDuplicates) {
  auto& list = RuntimeState().cleanup;
  list.clear();
  void (*first)() = [] {};
  void (*second)() = [] {};
  RtService(kServiceRegisterCleanup, reinterpret_cast<intptr_t>(first));
  RtService(kServiceRegisterCleanup, reinterpret_cast<intptr_t>(second));
  RtService(kServiceRegisterCleanup, reinterpret_cast<intptr_t>(first));
  RtService(kServiceRegisterCleanup, 0);  // a null routine would crash the shutdown
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0], first);
  EXPECT_EQ(list[1], second);
  list.clear();
}

struct Record {
  char* name;
  int32_t number;
  char* mac;
  char* ip;
};

TEST(RtCopyRecord, DuplicatesEveryNonNullText) {
  char name[] = "pc1";
  char empty[] = "";
  Record source{name, 7, nullptr, empty};
  const uint32_t texts[] = {offsetof(Record, name), offsetof(Record, mac), offsetof(Record, ip)};
  RtArray* list = nullptr;
  RtAppendRecord(&list, &source, sizeof source, texts, 3);
  ASSERT_EQ(RtArrayCount(list), 1);
  Record* copy = *static_cast<Record**>(RtElementAt(list, 1, kPtrWidth));
  ASSERT_NE(copy, &source);
  EXPECT_NE(copy->name, name);
  EXPECT_STREQ(copy->name, "pc1");
  EXPECT_EQ(copy->number, 7);
  EXPECT_EQ(copy->mac, nullptr);
  ASSERT_NE(copy->ip, nullptr);  // an empty text still gets its own block
  EXPECT_NE(copy->ip, empty);
  EXPECT_EQ(copy->ip[0], '\0');
  RtFree(copy->name);
  RtFree(copy->ip);
  RtFree(copy);
  RtFree(list);
}

// A command that reports what it found in its result record.
void ProbeResult(ArgValue* result, int argc, ArgValue* args) {
  args[0].v.i32 = (result->v.u64 == 0 && result->type == 0) ? 1 : 0;
  args[1].v.i32 = argc;
}

TEST(CommandCall, ResultStartsZeroAndItsValueComesBack) {
  ArgValue args[2] = {IntArg(0), OmittedArg()};
  RtCallCoreCommand(ProbeResult, 2, args);
  EXPECT_EQ(args[0].v.i32, 1);
  EXPECT_EQ(args[1].v.i32, 2);
  args[0].v.i32 = 0;
  RtCallLibCommand(ProbeResult, 2, 2, args);
  EXPECT_EQ(args[0].v.i32, 1);

  auto answer = [](ArgValue* result, int, ArgValue*) {
    result->v.u64 = 0x1122334455667788ull;
  };
  EXPECT_EQ(RtCallCoreCommand(answer, 0, nullptr), 0x1122334455667788ull);
}

}  // namespace
