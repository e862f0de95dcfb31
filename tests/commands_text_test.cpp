// Text and conversion commands, driven through their CommandFn form with
// GBK texts (the literals below compile to GBK bytes).
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "commands/core_commands.h"
#include "commands/gbk_text.h"
#include "runtime/heap.h"
#include "ui/listview/listview_unit.h"

namespace {

ArgValue Call(CommandFn fn, std::vector<ArgValue> args) {
  ArgValue result{};
  fn(&result, static_cast<int>(args.size()), args.data());
  return result;
}

// Takes ownership of a text result. An empty result must be null, never a
// block holding only the NUL.
std::string TakeText(const ArgValue& r) {
  if (!r.v.text) return {};
  std::string s = r.v.text;
  EXPECT_FALSE(s.empty()) << "empty text result returned as a block";
  RtFree(r.v.text);
  return s;
}

std::vector<uint8_t> TakeBytes(const ArgValue& r) {
  auto a = static_cast<RtArray*>(r.v.ptr);
  if (!a) return {};
  EXPECT_EQ(a->dims, 1);
  EXPECT_GT(a->sizes[0], 0) << "empty byte set returned as a block";
  auto first = reinterpret_cast<const uint8_t*>(&a->sizes[1]);
  std::vector<uint8_t> bytes(first, first + a->sizes[0]);
  RtFree(a);
  return bytes;
}

std::vector<std::string> TakeTextArray(const ArgValue& r) {
  auto a = static_cast<RtArray*>(r.v.ptr);
  EXPECT_NE(a, nullptr) << "a text array result is always a block";
  if (!a) return {};
  EXPECT_EQ(a->dims, 1);
  std::vector<std::string> out;
  auto slot = reinterpret_cast<const uint8_t*>(&a->sizes[1]);
  for (int i = 0; i < a->sizes[0]; i++) {
    char* element;
    memcpy(&element, slot + i * kPtrWidth, sizeof element);
    if (element) {
      EXPECT_NE(element[0], 0) << "empty element " << i << " must be null";
      out.push_back(element);
      RtFree(element);
    } else {
      out.emplace_back();
    }
  }
  RtFree(a);
  return out;
}

// A heap byte set built by the test; freed by the Owned holder.
struct OwnedBytes {
  explicit OwnedBytes(std::vector<uint8_t> b) : set(RtNewBytes(b.data(), static_cast<int32_t>(b.size()))) {}
  ~OwnedBytes() { RtFree(set); }
  OwnedBytes(const OwnedBytes&) = delete;
  OwnedBytes& operator=(const OwnedBytes&) = delete;
  RtArray* set;
};

TEST(TextLength, CountsBytes) {
  struct { const char* text; int32_t length; } cases[] = {
      {"", 0}, {"abc", 3}, {"信息", 4}, {"a信b", 4},
  };
  for (auto& c : cases) EXPECT_EQ(Call(TextLength, {TextArg(c.text)}).v.i32, c.length) << c.text;
  EXPECT_EQ(Call(TextLength, {TextArg(nullptr)}).v.i32, 0);
}

TEST(LeftText, CutsBytewise) {
  struct { const char* text; int32_t n; const char* expected; } cases[] = {
      {"abc", 0, ""},
      {"abc", -5, ""},
      {"abc", 10, "abc"},
      {"abc", 2, "ab"},
      {"", 3, ""},
      {"信息", 3, "信\xCF"},  // the cut falls inside the second character
      {"信息", 2, "信"},
  };
  for (auto& c : cases)
    EXPECT_EQ(TakeText(Call(LeftText, {TextArg(c.text), IntArg(c.n)})), c.expected)
        << c.text << " " << c.n;
}

TEST(FoldFullWidth, FoldsFullWidthFormsAndDropsBlanksOnRequest) {
  struct { const char* text; bool drop; const char* expected; } cases[] = {
      {"１２３", false, "123"},
      {"Ａ　Ｂ", false, "A B"},
      {"Ａ　Ｂ c", true, "ABc"},
      {"～☆★", false, "~**"},
      {"信息", false, "信息"},      // other pairs stay as they are
      {"12\xA3", false, "12"},     // a lone lead byte at the end is dropped
      {"　", true, ""},
  };
  for (auto& c : cases) {
    char* folded = FoldFullWidth(c.text, c.drop);
    EXPECT_EQ(std::string(folded ? folded : ""), c.expected) << c.text;
    if (folded) {
      EXPECT_NE(folded[0], 0);
    }
    RtFree(folded);
  }
}

TEST(ValueToInteger, ReadsTexts) {
  struct { const char* text; int32_t expected; } cases[] = {
      {"123", 123},
      {"１２３", 123},        // full-width digits
      {"－１２", -12},        // full-width minus
      {"-12", -12},
      {"+7", 7},
      {" 12abc", 12},
      {"\t\r\n 5", 5},
      {"　7", 7},             // ideographic space counts as a blank
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {"4294967295", -1},     // wraps in 32 bits
      {"3232235777", -1062731519},  // 192.168.1.1 as one number
      {"4294967296", 0},
      {"-2147483648", INT32_MIN},
      {"12\xA3", 12},
  };
  for (auto& c : cases) EXPECT_EQ(Call(ValueToInteger, {TextArg(c.text)}).v.i32, c.expected) << c.text;
}

TEST(ValueToInteger, ConvertsEveryKind) {
  ArgValue bytes{};
  bytes.type = kTypeBytes;
  struct { ArgValue value; int32_t expected; } cases[] = {
      {RawArg(kTypeByte, 200), 200},
      {RawArg(kTypeShort, 0xFFFD), -3},
      {IntArg(-9), -9},
      {LongArg(0x100000005ll), 5},
      {LongArg(-1), -1},
      {DoubleArg(2.9), 2},
      {DoubleArg(-2.9), -2},
      {DoubleArg(-0.5), 0},
      {DoubleArg(4294967297.0), 1},  // low 32 bits of the 64-bit truncation
      {DoubleArg(1e30), 0},          // no 64-bit integer: the indefinite value's low word
      {RawArg(kTypeFloat, 0x40200000), 2},  // 2.5f
      {BoolArg(true), 1},
      {RawArg(kTypeSubPointer, 77), 77},
      {DateTimeArg(45000.5), 0},
      {bytes, 0},
      {OmittedArg(), 0},
  };
  for (auto& c : cases)
    EXPECT_EQ(Call(ValueToInteger, {c.value}).v.i32, c.expected) << std::hex << c.value.type;
}

struct SplitCase {
  const char* text;
  const char* delimiter;  // nullptr: omitted
  int32_t limit;          // INT_MIN: omitted
  std::vector<std::string> expected;
};

TEST(SplitText, SplitsByTheRules) {
  const SplitCase cases[] = {
      {"a,b,,c", nullptr, INT_MIN, {"a", "b", "", "c"}},
      {"a,b,", nullptr, INT_MIN, {"a", "b"}},     // no empty last element
      {",a", nullptr, INT_MIN, {"", "a"}},
      {",", nullptr, INT_MIN, {""}},
      {"abc", nullptr, INT_MIN, {"abc"}},
      {"", nullptr, INT_MIN, {}},
      {"abc", "", INT_MIN, {"abc"}},
      {"a.b.c", ".", 2, {"a", "b"}},              // text after the 2nd delimiter dropped
      {"a.b.c", ".", 3, {"a", "b", "c"}},
      {"a.b.c", ".", 1, {"a"}},
      {"a.b.c", ".", 0, {}},
      {"a.b.c", ".", -3, {}},                    // a negative maximum counts as 0
      {"a.b", ".", 9, {"a", "b"}},
      {"x<>y<>", "<>", INT_MIN, {"x", "y"}},
      {"ab", "abc", INT_MIN, {"ab"}},             // delimiter longer than the text
      {"信息信", "息", INT_MIN, {"信", "信"}},
      {"a,\x81", nullptr, INT_MIN, {"a", "\x81"}},  // lone lead byte ends the scan
  };
  for (auto& c : cases) {
    std::vector<ArgValue> args{TextArg(c.text), c.delimiter ? TextArg(c.delimiter) : OmittedArg(),
                               c.limit == INT_MIN ? OmittedArg() : IntArg(c.limit)};
    EXPECT_EQ(TakeTextArray(Call(SplitText, args)), c.expected)
        << c.text << " by " << (c.delimiter ? c.delimiter : ",") << " limit " << c.limit;
  }
}

// 乗 is 81 5C and 亅 is 81 7C in GBK: their second bytes are "\" and "|".
TEST(SplitText, NeverMatchesAtTheSecondByteOfACharacter) {
  const SplitCase cases[] = {
      {"a\\乗b\\c", "\\", INT_MIN, {"a", "乗b", "c"}},
      {"乗\\乗", "\\", INT_MIN, {"乗", "乗"}},
      {"亅|x亅", "|", INT_MIN, {"亅", "x亅"}},
      {"亅亅", "|", INT_MIN, {"亅亅"}},
      // Every byte with the high bit set leads, 0x80 and 0xFF included,
      // though code page 936 gives them no trail byte.
      {"\x80|x|", "|", INT_MIN, {"\x80|x"}},
      {"\xFF\\a\\", "\\", INT_MIN, {"\xFF\\a"}},
  };
  for (auto& c : cases)
    EXPECT_EQ(TakeTextArray(Call(SplitText, {TextArg(c.text), TextArg(c.delimiter), OmittedArg()})),
              c.expected)
        << c.text;
}

TEST(ValueToBytes, GivesStoredBytes) {
  OwnedBytes set({1, 0, 2});
  uint32_t ints[] = {1, 2};
  RtArray* intArray = RtNewArray(2, 4);
  memcpy(&intArray->sizes[1], ints, sizeof ints);
  RtArray* textArray = RtNewArray(1, kPtrWidth);
  ArgValue doubleOne = DoubleArg(1.0);
  struct { ArgValue value; std::vector<uint8_t> expected; } cases[] = {
      {LongArg(0x0101A8C0), {0xC0, 0xA8, 0x01, 0x01, 0, 0, 0, 0}},
      {IntArg(-1), {0xFF, 0xFF, 0xFF, 0xFF}},
      {RawArg(kTypeByte, 7), {7}},
      {RawArg(kTypeShort, 0x1234), {0x34, 0x12}},
      {RawArg(kTypeFloat, 0x3F800000), {0, 0, 0x80, 0x3F}},
      {doubleOne, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},
      {BoolArg(true), {1, 0, 0, 0}},
      {DateTimeArg(1.0), {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},
      {TextArg("ab信"), {'a', 'b', 0xD0, 0xC5}},
      {TextArg(""), {}},
      {BytesArg(set.set), {1, 0, 2}},
      {BytesArg(nullptr), {}},
      {ObjectArg(intArray, kTypeInt | kTypeArrayFlag), {1, 0, 0, 0, 2, 0, 0, 0}},
      {ObjectArg(textArray, kTypeText | kTypeArrayFlag), {}},
      {UnitRef(1, 2, kListViewTypeCode), {}},
  };
  for (auto& c : cases) EXPECT_EQ(TakeBytes(Call(ValueToBytes, {c.value})), c.expected) << std::hex << c.value.type;
  // The byte set comes back as a new block, not the argument itself.
  ArgValue copy = Call(ValueToBytes, {BytesArg(set.set)});
  const void* block = copy.v.ptr;  // a copy: the 8-byte field is only 4-aligned
  EXPECT_NE(block, set.set);
  TakeBytes(copy);
  RtFree(intArray);
  RtFree(textArray);
}

TEST(LeftBytes, ClampsTheCount) {
  OwnedBytes set({1, 2, 3});
  struct { int32_t n; std::vector<uint8_t> expected; } cases[] = {
      {4, {1, 2, 3}}, {3, {1, 2, 3}}, {2, {1, 2}}, {0, {}}, {-1, {}},
  };
  for (auto& c : cases) EXPECT_EQ(TakeBytes(Call(LeftBytes, {BytesArg(set.set), IntArg(c.n)})), c.expected) << c.n;
  EXPECT_EQ(TakeBytes(Call(LeftBytes, {BytesArg(nullptr), IntArg(5)})), std::vector<uint8_t>{});
}

TEST(ValueToText, FormatsNumbersAndLogicals) {
  struct { ArgValue value; const char* expected; } cases[] = {
      {RawArg(kTypeByte, 200), "200"},
      {RawArg(kTypeShort, 0xFFF9), "-7"},
      {IntArg(-5), "-5"},
      {LongArg(-9000000000ll), "-9000000000"},
      {BoolArg(true), "真"},
      {RawArg(kTypeBool, 2), "真"},
      {BoolArg(false), "假"},
      {DoubleArg(2.5), "2.5"},
      {DoubleArg(-2.0), "-2"},
      {DoubleArg(1.0 / 3), "0.3333333333333"},
      {DoubleArg(1234567890123.0), "1234567890123"},
      {RawArg(kTypeFloat, 0x3DCCCCCD), "0.1"},  // widened, then 6 digits
      {TextArg("信息"), "信息"},
      {TextArg(""), ""},
      {UnitRef(1, 2, kListViewTypeCode), ""},
      {RawArg(kTypeSubPointer, 5), ""},
  };
  for (auto& c : cases) EXPECT_EQ(TakeText(Call(ValueToText, {c.value})), c.expected) << std::hex << c.value.type;
}

TEST(ValueToText, FormatsDateTimes) {
  const double second = 1.0 / 86400;
  struct { double days; const char* expected; } cases[] = {
      {0, "1899年12月30日"},
      {45000, "2023年3月15日"},
      {45000.5, "2023年3月15日12时"},
      {45000 + (13 * 3600 + 5 * 60) * second, "2023年3月15日13时5分"},
      {45000 + (13 * 3600 + 5 * 60 + 7) * second, "2023年3月15日13时5分7秒"},
      {45000 + 9 * second, "2023年3月15日0时0分9秒"},
      {45000 + 20 * 60 * second, "2023年3月15日0时20分"},
      {60, "1900年2月28日"},
      {36526, "2000年1月1日"},
      {36585, "2000年2月29日"},
      {-1.25, "1899年12月29日6时"},
      {-657434, "100年1月1日"},
      {-1e7, "100年1月1日"},             // clamped to the first day of year 100
      {1e9, "9999年12月31日"},           // clamped to the last day of year 9999
      {2958465.5, "9999年12月31日12时"},
      {45000.99999999, "2023年3月16日"},  // rounds up to the next midnight
      {2958465 + 86399 * second, "9999年12月31日23时59分59秒"},  // the longest text
  };
  for (auto& c : cases) EXPECT_EQ(TakeText(Call(ValueToText, {DateTimeArg(c.days)})), c.expected) << c.days;
}

TEST(ValueToText, TakesRawBytesUpToTheFirstZero) {
  OwnedBytes withZero({'a', 'b', 0, 'c'});
  OwnedBytes noZero({'x', 'y'});
  OwnedBytes leadingZero({0, 'q'});
  RtArray* ints = RtNewArray(2, 4);
  memcpy(&ints->sizes[1], "abcdef\0g", 8);
  struct { ArgValue value; const char* expected; } cases[] = {
      {BytesArg(withZero.set), "ab"},
      {BytesArg(noZero.set), "xy"},
      {BytesArg(leadingZero.set), ""},
      {BytesArg(nullptr), ""},
      {ObjectArg(ints, kTypeInt | kTypeArrayFlag), "abcdef"},
  };
  for (auto& c : cases) EXPECT_EQ(TakeText(Call(ValueToText, {c.value})), c.expected);
  RtFree(ints);
}

}  // namespace
