// Splitting the program path: the last real backslash, read as GBK.
#include <gtest/gtest.h>

#include "runtime/program_path.h"

namespace {

constexpr UINT kGbk = 936;

struct PathCase {
  const char* path;
  const char* directory;
  const char* fileName;
};

// 0x81 0x5C is one GBK character whose trail byte is a backslash.
TEST(SplitProgramPath, TrailBytesAreNeverSeparators) {
  const PathCase cases[] = {
      {"C:\\tools\\export.exe", "C:\\tools", "export.exe"},
      {"export.exe", "", "export.exe"},
      {"", "", ""},
      {"C:\\d\\" "\x81\x5c" "x.exe", "C:\\d", "\x81\x5c" "x.exe"},
      {"C:\\" "\x81\x5c", "C:", "\x81\x5c"},
      {"\x81\x5c" "\x81\x5c" "a.exe", "", "\x81\x5c" "\x81\x5c" "a.exe"},
      {"C:\\d" "\x81\x5c" "\\f.exe", "C:\\d" "\x81\x5c", "f.exe"},
      {"a\\b\\", "a\\b", ""},
      {"C:\\x" "\x81", "C:", "x" "\x81"},  // a lone lead byte at the end
      {"\\\\srv\\share\\p.exe", "\\\\srv\\share", "p.exe"},
  };
  for (const auto& c : cases) {
    ProgramPath split = SplitProgramPath(c.path, kGbk);
    EXPECT_EQ(split.directory, c.directory) << c.path;
    EXPECT_EQ(split.fileName, c.fileName) << c.path;
  }
}

TEST(SplitProgramPath, ASingleByteCodePageSplitsAtTheSameByte) {
  ProgramPath split = SplitProgramPath("C:\\d" "\x81\x5c" "x.exe", 1252);
  EXPECT_EQ(split.directory, "C:\\d" "\x81");
  EXPECT_EQ(split.fileName, "x.exe");
}

TEST(SplitProgramPath, NullPathGivesNothing) {
  ProgramPath split = SplitProgramPath(nullptr, kGbk);
  EXPECT_TRUE(split.directory.empty());
  EXPECT_TRUE(split.fileName.empty());
}

}  // namespace
