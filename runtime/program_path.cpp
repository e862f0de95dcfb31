// The program's folder and file name from its module path.
#include "runtime/program_path.h"

ProgramPath SplitProgramPath(const char* path, UINT codePage) {
  ProgramPath out;
  if (!path) return out;
  const char* last = nullptr;
  for (const char* p = path; *p;) {
    if (*p == '\\') last = p;
    // A lead byte takes the next byte with it; a lead byte right before the
    // NUL stands alone.
    if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(*p)) && p[1]) p += 2;
    else p += 1;
  }
  if (!last) {
    out.fileName = path;
    return out;
  }
  out.directory.assign(path, last - path);
  out.fileName = last + 1;
  return out;
}
