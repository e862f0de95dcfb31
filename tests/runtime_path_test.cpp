// Splitting the program path: the last real backslash, read as Windows
// gives the path (UTF-16), both parts handed back in GBK.
#include <gtest/gtest.h>

#include "runtime/program_path.h"

namespace {

struct PathCase {
  const wchar_t* path;
  const char* directory;
  const char* fileName;
};

// U+4E57 is GBK 0x81 0x5C, one character whose trail byte is a backslash.
TEST(SplitProgramPath, TrailBytesAreNeverSeparators) {
  const PathCase cases[] = {
      {L"C:\\tools\\export.exe", "C:\\tools", "export.exe"},
      {L"export.exe", "", "export.exe"},
      {L"", "", ""},
      {L"C:\\d\\\u4E57x.exe", "C:\\d", "\x81\x5c" "x.exe"},
      {L"C:\\\u4E57", "C:", "\x81\x5c"},
      {L"\u4E57\u4E57a.exe", "", "\x81\x5c" "\x81\x5c" "a.exe"},
      {L"C:\\d\u4E57\\f.exe", "C:\\d" "\x81\x5c", "f.exe"},
      {L"a\\b\\", "a\\b", ""},
      {L"C:\\x\xD800", "C:", "x?"},  // a lone surrogate half at the end
      {L"\\\\srv\\share\\p.exe", "\\\\srv\\share", "p.exe"},
  };
  for (const auto& c : cases) {
    ProgramPath split = SplitProgramPath(c.path);
    EXPECT_EQ(split.directory, c.directory) << testing::PrintToString(c.path);
    EXPECT_EQ(split.fileName, c.fileName) << testing::PrintToString(c.path);
  }
}

// GBK's one single byte above 0x7F, 0x80 (the euro sign), stands alone
// like every byte of a single-byte code page: the backslash after it
// still separates, where a rule of "every high byte leads" would swallow it.
TEST(SplitProgramPath, ASingleByteCodePageSplitsAtTheSameByte) {
  ProgramPath split = SplitProgramPath(L"C:\\d\u20AC\\x.exe");
  EXPECT_EQ(split.directory, "C:\\d" "\x80");
  EXPECT_EQ(split.fileName, "x.exe");
  split = SplitProgramPath(L"C:\\\u20AC\u4E2D\\x.exe");  // 中: D6 D0
  EXPECT_EQ(split.directory, "C:\\" "\x80" "\xD6\xD0");
  EXPECT_EQ(split.fileName, "x.exe");
}

TEST(SplitProgramPath, NullPathGivesNothing) {
  ProgramPath split = SplitProgramPath(std::wstring_view());
  EXPECT_TRUE(split.directory.empty());
  EXPECT_TRUE(split.fileName.empty());
}

}  // namespace
