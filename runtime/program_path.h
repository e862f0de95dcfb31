// Splitting the program's path into folder and file name.
#pragma once

#include <string>
#include <string_view>

struct ProgramPath {
  std::string directory;  // before the last backslash; empty when none
  std::string fileName;   // after it; the whole path when none
};

// Splits the path as Windows gives it (UTF-16) at its last backslash and
// hands back both parts in GBK. Split before the conversion, a backslash is
// a backslash: no GBK byte rule is needed, neither for a trail byte of 0x5C
// nor for GBK's one single byte above 0x7F (0x80, the euro sign).
ProgramPath SplitProgramPath(std::wstring_view path);
