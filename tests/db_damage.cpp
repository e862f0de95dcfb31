#include "tests/db_damage.h"

#include <windows.h>

namespace dbtest {

bool PoisonPagesFrom(const std::string& path, int firstPage) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  unsigned char header[18];
  DWORD done = 0;
  bool ok = ReadFile(f, header, sizeof header, &done, nullptr) && done == sizeof header;
  // Bytes 16-17: the page size, big-endian; 1 stands for 65536.
  DWORD pageSize = ok ? (header[16] << 8 | header[17]) : 0;
  if (pageSize == 1) pageSize = 65536;
  DWORD size = GetFileSize(f, nullptr);
  ok = ok && pageSize >= 512 && size != INVALID_FILE_SIZE;
  const unsigned char poison[4] = {0xFF, 0xFF, 0xFF, 0xFF};
  for (DWORD offset = (firstPage - 1) * pageSize; ok && offset < size; offset += pageSize) {
    ok = SetFilePointer(f, static_cast<LONG>(offset), nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
         WriteFile(f, poison, sizeof poison, &done, nullptr) && done == sizeof poison;
  }
  CloseHandle(f);
  return ok;
}

}  // namespace dbtest
