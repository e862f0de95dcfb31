// GBK/UTF-8 conversions and CompareNoCase. The double-byte table comes from
// Python's gbk codec (tools/gen_gbk_reference.py), independent of the C
// runtime's tables that the conversions use.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "db/gbk_utf8.h"

namespace {

struct GbkPoint {
  unsigned code;
  const char* utf8;
};
const GbkPoint kGbkTable[] = {
#include "tests/data/gbk_utf8_table.inc"
};

std::string Str(const OwnedText& t) { return t ? std::string(t.get()) : std::string("<failed>"); }

TEST(GbkUtf8, TableHasEveryDoubleByteCharacterOfTheReference) {
  EXPECT_EQ(std::size(kGbkTable), 21791u);
}

// Each character on its own: ToUtf8 gives exactly the reference bytes and
// FromUtf8 brings back the two GBK bytes unchanged.
TEST(GbkUtf8, EveryDoubleByteCharacterConvertsBothWays) {
  int failures = 0;
  for (const GbkPoint& p : kGbkTable) {
    const char gbk[3] = {static_cast<char>(p.code >> 8), static_cast<char>(p.code & 0xFF), 0};
    OwnedText utf8 = ToUtf8(gbk);
    OwnedText back = FromUtf8(p.utf8);
    bool ok = utf8 && strcmp(utf8.get(), p.utf8) == 0 && back && strcmp(back.get(), gbk) == 0;
    if (!ok && ++failures <= 10)
      ADD_FAILURE() << std::hex << "GBK 0x" << p.code << ": ToUtf8 " << (utf8 ? "differs" : "failed")
                    << ", FromUtf8 " << (back ? "differs" : "failed");
  }
  EXPECT_EQ(failures, 0);
}

// The whole table as one text in each direction (a counted length, with
// ASCII in between), so that state carried across characters shows up too.
TEST(GbkUtf8, WholeTableAsOneText) {
  std::string gbk, utf8;
  for (const GbkPoint& p : kGbkTable) {
    gbk += static_cast<char>(p.code >> 8);
    gbk += static_cast<char>(p.code & 0xFF);
    utf8 += p.utf8;
    if ((p.code & 0x3F) == 0) gbk += "a\\", utf8 += "a\\";
  }
  OwnedText u = ToUtf8(gbk.data(), static_cast<int>(gbk.size()));
  ASSERT_TRUE(u);
  EXPECT_TRUE(Str(u) == utf8);
  OwnedText g = FromUtf8(utf8.data(), static_cast<int>(utf8.size()));
  ASSERT_TRUE(g);
  EXPECT_TRUE(Str(g) == gbk);
}

// Points that the Python codec does not cover: the euro byte and the first
// cell of each user-defined area, as code page 936 publishes them.
TEST(GbkUtf8, CodePageOnlyPoints) {
  struct Case { const char* gbk; const char* utf8; } cases[] = {
      {"\x80", "\xE2\x82\xAC"},       // U+20AC
      {"\xAA\xA1", "\xEE\x80\x80"},   // U+E000
      {"\xF8\xA1", "\xEE\x88\xB4"},   // U+E234
      {"\xA1\x40", "\xEE\x93\x86"},   // U+E4C6
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Str(ToUtf8(c.gbk)), c.utf8);
    EXPECT_EQ(Str(FromUtf8(c.utf8)), c.gbk);
  }
}

TEST(GbkUtf8, LengthRules) {
  EXPECT_EQ(Str(ToUtf8(nullptr)), "");
  EXPECT_EQ(Str(ToUtf8("abc", 0)), "");
  EXPECT_EQ(Str(FromUtf8(nullptr)), "");
  EXPECT_EQ(Str(FromUtf8("abc", 0)), "");
  EXPECT_EQ(Str(ToUtf8("abcdef", 3)), "abc");
  EXPECT_EQ(Str(FromUtf8("abcdef", 3)), "abc");
  // A counted text cut after the lead byte of 中 (D6 D0) is invalid.
  EXPECT_FALSE(ToUtf8("\xD6\xD0", 1));
  // Up to the first NUL only.
  EXPECT_EQ(Str(ToUtf8("ab\0cd", 5)), "ab");
  EXPECT_EQ(Str(ToUtf8("\x7F\x01")), "\x7F\x01");
}

TEST(GbkUtf8, InvalidGbkFails) {
  const char* bad[] = {
      "\xD6",         // lone lead byte at the end
      "ab\xD6",       // the same after ASCII
      "\xFF\xFF",     // not a lead byte
      "\xA1\x7F",     // 0x7F is never a trail byte
  };
  for (const char* b : bad) EXPECT_FALSE(ToUtf8(b)) << testing::PrintToString(b);
}

// badutf-style: one malformed input per row.
TEST(GbkUtf8, MalformedUtf8Fails) {
  const char* bad[] = {
      "\x80",                  // continuation byte without a lead
      "\xBF",
      "\xC3",                  // cut off: 2-byte lead at the end
      "a\xE4\xB8",             // cut off: 3-byte sequence missing a byte
      "\xC3\x28",              // bad continuation
      "\xE4\x28\x82",          // bad second byte of three
      "\xE4\xB8\xC2",          // bad third byte
      "\xF0\x9F\x98\x80",      // 4-byte lead (outside the 16-bit range)
      "\xF8\x88\x80\x80\x80",  // 5-byte lead
      "\xFF",
  };
  for (const char* b : bad) EXPECT_FALSE(FromUtf8(b)) << testing::PrintToString(b);
  // A cut-off sequence inside a counted text fails even if bytes follow.
  EXPECT_FALSE(FromUtf8("\xE4\xB8\xAD", 2));
}

TEST(GbkUtf8, Utf8WithoutGbkFormFails) {
  EXPECT_FALSE(FromUtf8("\xE3\x83\xBB"));  // U+30FB, not in code page 936
  EXPECT_FALSE(FromUtf8("\xED\xA0\x80"));  // a lone surrogate half
}

// Field values: every malformed input of the strict table still converts,
// with '?' for each byte that is not UTF-8 and each character GBK lacks.
TEST(GbkUtf8, LossyConversionMarksWhatDoesNotConvert) {
  struct Case {
    std::string utf8;
    const char* gbk;
  } cases[] = {
      {"abc", "abc"},
      {"\x80", "?"},
      {"a\xC3", "a?"},                         // cut off at the end
      {"\xC3\x28", "?("},                       // bad continuation: only the lead is lost
      {"\xE4\xB8", "??"},
      {"\xE4\x28\x82", "?(?"},
      {"\xE4\xB8\xAD\xE6\x96\x87", "中文"},
      {"\xF0\x9F\x98\x80", "?"},                // one character beyond 16 bits
      {"\xF0\x9F\x98", "???"},                  // the same, cut off
      {"\xF8\x88\x80\x80\x80", "?????"},
      {"\xE3\x83\xBB", "?"},                    // U+30FB: no GBK form
      {"\xED\xA0\x80", "?"},                    // a lone surrogate half
      {std::string("x\0y", 3), "x?y"},           // a NUL cannot live inside a text
      {"\xE4\xB8\xAD\xE3\x83\xBB\xFF\xE6\x96\x87", "中??文"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Str(FromUtf8Lossy(c.utf8.data(), static_cast<int>(c.utf8.size()))), c.gbk)
        << testing::PrintToString(c.utf8);
  EXPECT_EQ(Str(FromUtf8Lossy(nullptr)), "");
  EXPECT_EQ(Str(FromUtf8Lossy("abc", 0)), "");
  EXPECT_EQ(Str(FromUtf8Lossy("\xE4\xB8\xAD\xE6", 3)), "中");
}

TEST(GbkUtf8, MixedTextRoundTrip) {
  // 淺 (9C 5C) and 籠 (BB 5C) have a backslash as trail byte.
  const char* gbk = "C:\\数据\\淺籠 mac";
  EXPECT_STREQ(gbk + 8, "\x9C\x5C\xBB\x5C mac");  // the literal really is GBK
  OwnedText utf8 = ToUtf8(gbk);
  ASSERT_TRUE(utf8);
  EXPECT_EQ(Str(utf8), "C:\\\xE6\x95\xB0\xE6\x8D\xAE\\\xE6\xB7\xBA\xE7\xB1\xA0 mac");
  EXPECT_EQ(Str(FromUtf8(utf8.get())), gbk);
}

TEST(CompareNoCase, Cases) {
  struct Case {
    const char* a;
    const char* b;
    int expected;
  } cases[] = {
      {nullptr, nullptr, 0},
      {nullptr, "", 0},
      {"", nullptr, 0},
      {nullptr, "a", -1},
      {"a", nullptr, 1},
      {"mac", "MAC", 0},
      {":memory:", ":MeMoRy:", 0},
      {"MACHINE", "machine", 0},
      {"mac", "macx", -1},
      {"macx", "mac", 1},
      {"a", "b", -1},
      {"[", "a", 1},           // 'a' folds to 0x41, below '['
      {"\xB0\x61", "\xB0\x41", 1},  // trail byte 0x61 is not a letter
      {"\xB0\x61", "\xB0\x61", 0},
      {"x\xB0\x61y", "X\xB0\x61Y", 0},
      {"\xB0", "\xB0", 0},     // lone lead byte at the end stops at the NUL
      {"\xB0", "\xB0z", -1},
      {"\x80", "a", 1},        // bytes compare unsigned
  };
  for (const Case& c : cases)
    EXPECT_EQ(CompareNoCase(c.a, c.b), c.expected)
        << testing::PrintToString(c.a) << " vs " << testing::PrintToString(c.b);
}

}  // namespace
