// Splitting the program's path into folder and file name.
#pragma once

#include <windows.h>

#include <string>

#include "runtime/gbk_boundary.h"

struct ProgramPath {
  std::string directory;  // before the last backslash; empty when none
  std::string fileName;   // after it; the whole path when none
};

// Finds the last backslash reading the path as characters of the code page
// (the program's, GBK, unless told), so that a double-byte character whose
// trail byte is 0x5C ('\') is never taken for a separator.
ProgramPath SplitProgramPath(const char* path, UINT codePage = kGbkCodePage);
