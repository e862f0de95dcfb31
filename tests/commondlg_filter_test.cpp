// The filter conversion of the common dialog, as a pure function.
#include <gtest/gtest.h>

#include <string>

#include "ui/commondlg/commondlg_filter.h"

namespace {

template <size_t N>
std::string Bytes(const char (&s)[N]) {
  return std::string(s, N - 1);
}

TEST(CommonDialogFilter, ConversionTable) {
  struct Case {
    const char* name;
    const char* filter;
    std::string expected;
  } cases[] = {
      {"the program's filter", "*.txt|*.txt", Bytes("*.txt\0*.txt\0\0")},
      {"two bars already there", "*.txt|*.txt||", Bytes("*.txt\0*.txt\0\0")},
      {"one bar at the end", "*.txt|*.txt|", Bytes("*.txt\0*.txt\0\0\0")},
      {"trailing blanks", "*.txt|*.txt \t\r\n ", Bytes("*.txt\0*.txt\0\0")},
      {"blanks before two bars stay", "*.txt|*.txt ||  ", Bytes("*.txt\0*.txt \0\0")},
      {"only spaces", "    ", ""},
      {"empty", "", ""},
      {"null", nullptr, ""},
      {"two entries", "文本|*.txt|全部|*.*", Bytes("文本\0*.txt\0全部\0*.*\0\0")},
      {"double-byte last", "文本|*.txt|名 ", Bytes("文本\0*.txt\0名\0\0")},
      // 0xB0 0x7C is one character whose trail byte is the bar's code.
      {"trail byte like a bar", "a\xB0\x7C|b", Bytes("a\xB0\x7C\0b\0\0")},
      {"trail byte before the last bar", "x|\xB0\x7C|", Bytes("x\0\xB0\x7C\0\0\0")},
  };
  for (const Case& c : cases) EXPECT_EQ(ToWin32Filter(c.filter), c.expected) << c.name;
}

}  // namespace
