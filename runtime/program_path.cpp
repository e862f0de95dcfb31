// The program's folder and file name from its module path.
#include "runtime/program_path.h"

#include "runtime/gbk_boundary_conversion.h"

ProgramPath SplitProgramPath(std::wstring_view path) {
  ProgramPath out;
  const size_t last = path.rfind(L'\\');
  if (last == std::wstring_view::npos) {
    out.fileName = GbkFromWide(path);
    return out;
  }
  out.directory = GbkFromWide(path.substr(0, last));
  out.fileName = GbkFromWide(path.substr(last + 1));
  return out;
}
