// WriteToFile: creates or truncates a file and writes the byte sets into it
// one after the other. Answers 1 only when every byte reached the file and
// the close succeeded; a partly written file is left as it is.
#include <windows.h>

#include "commands/core_commands.h"
#include "commands/scoped_handles.h"
#include "runtime/gbk_boundary.h"
#include "runtime/heap.h"

namespace {

bool WriteAll(HANDLE file, const uint8_t* bytes, int32_t length) {
  while (length > 0) {
    DWORD written = 0;
    if (!WriteFile(file, bytes, static_cast<DWORD>(length), &written, nullptr) || written == 0)
      return false;
    bytes += written;
    length -= static_cast<int32_t>(written);
  }
  return true;
}

}  // namespace

void WriteToFile(ArgValue* result, int argc, ArgValue* args) {
  result->v.i32 = 0;
  if (argc < 1 || RtTextLength(args[0].v.text) == 0) return;
  // A file marked read-only is refused before it is opened. Windows refuses
  // it in CreateFile, but Wine maps the mark to Unix permissions, which do
  // not bind a process running as root: there the file would be replaced.
  DWORD attributes = FileAttributesGbk(args[0].v.text);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return;
  // No sharing: nobody reads a half-written file, and a file that someone
  // else holds open makes the command fail instead of writing around them.
  ScopedFile file(CreateFileGbk(args[0].v.text, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL));
  if (!file.valid()) return;
  for (int i = 1; i < argc; i++) {
    if (args[i].type != kTypeBytes) continue;  // omitted, or not a byte set
    void* first;
    int32_t length = RtArrayCountOrNull(static_cast<const RtArray*>(args[i].v.ptr), &first);
    if (length > 0 && !WriteAll(file.get(), static_cast<const uint8_t*>(first), length)) return;
  }
  if (file.Close()) result->v.i32 = 1;
}
