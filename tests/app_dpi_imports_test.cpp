// The shipped program's import table. It still starts on Windows 7: it
// imports nothing that Windows 7 lacks. The DPI functions of Windows 8.1
// and 10 are found at run time, so none of them may appear in the import
// table, and every DLL it names is one of the system's. And it is the same
// program on every Windows: no function that reads or writes texts in the
// system code page (an "A" function with a "W" twin) is imported, but for
// the few that the toolchain's own start-up code brings along, none of
// which ever sees a text of the program's.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "tools/driver/driver.h"

namespace {

struct Imports {
  std::set<std::string> dlls;       // lower case
  std::set<std::string> functions;  // by name
};

// The import table of a PE file, read from its bytes (either bitness).
bool ReadImports(const std::string& bytes, Imports* out) {
  auto at = [&](size_t offset, size_t n) { return offset + n <= bytes.size() ? bytes.data() + offset : nullptr; };
  auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0, sizeof(IMAGE_DOS_HEADER)));
  if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
  const size_t nt = static_cast<size_t>(dos->e_lfanew);
  auto file = reinterpret_cast<const IMAGE_FILE_HEADER*>(at(nt + 4, sizeof(IMAGE_FILE_HEADER)));
  if (!file) return false;
  const size_t optional = nt + 4 + sizeof(IMAGE_FILE_HEADER);
  auto magic = reinterpret_cast<const WORD*>(at(optional, 2));
  if (!magic) return false;
  const bool wide = *magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC;
  const IMAGE_DATA_DIRECTORY* dirs =
      wide ? reinterpret_cast<const IMAGE_OPTIONAL_HEADER64*>(at(optional, sizeof(IMAGE_OPTIONAL_HEADER64)))->DataDirectory
           : reinterpret_cast<const IMAGE_OPTIONAL_HEADER32*>(at(optional, sizeof(IMAGE_OPTIONAL_HEADER32)))->DataDirectory;
  auto sections = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
      at(optional + file->SizeOfOptionalHeader, file->NumberOfSections * sizeof(IMAGE_SECTION_HEADER)));
  if (!sections) return false;
  auto fileOffset = [&](DWORD rva) -> size_t {
    for (int i = 0; i < file->NumberOfSections; i++) {
      const IMAGE_SECTION_HEADER& s = sections[i];
      if (rva >= s.VirtualAddress && rva < s.VirtualAddress + std::max(s.Misc.VirtualSize, s.SizeOfRawData))
        return rva - s.VirtualAddress + s.PointerToRawData;
    }
    return bytes.size();
  };
  auto text = [&](DWORD rva) {
    const size_t o = fileOffset(rva);
    return o < bytes.size() ? std::string(bytes.data() + o, strnlen(bytes.data() + o, bytes.size() - o)) : "";
  };
  for (size_t d = fileOffset(dirs[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);; d += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    auto desc = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(d, sizeof(IMAGE_IMPORT_DESCRIPTOR)));
    if (!desc) return false;
    if (!desc->Name) break;
    std::string dll = text(desc->Name);
    std::transform(dll.begin(), dll.end(), dll.begin(), [](unsigned char c) { return std::tolower(c); });
    out->dlls.insert(dll);
    const DWORD thunks = desc->OriginalFirstThunk ? desc->OriginalFirstThunk : desc->FirstThunk;
    for (size_t t = fileOffset(thunks);; t += wide ? 8 : 4) {
      const char* entry = at(t, wide ? 8 : 4);
      if (!entry) return false;
      ULONGLONG value = 0;
      memcpy(&value, entry, wide ? 8 : 4);
      if (!value) break;
      const bool byOrdinal = wide ? (value >> 63) != 0 : (value >> 31) != 0;
      if (!byOrdinal) out->functions.insert(text(static_cast<DWORD>(value) + 2));  // past the hint
    }
  }
  return true;
}

TEST(ShippedImports, NameNoDpiFunctionAndOnlySystemDlls) {
  Imports imports;
  ASSERT_TRUE(ReadImports(driver::ReadFileBytes(driver::ProgramInTree("machine-list-export.exe")), &imports));
  ASSERT_TRUE(imports.functions.count("CreateWindowExW")) << "the import table was not read";
  const char* later[] = {
      "GetDpiForWindow", "GetDpiForSystem", "AdjustWindowRectExForDpi", "SystemParametersInfoForDpi",
      "GetSystemMetricsForDpi", "EnableNonClientDpiScaling", "SetProcessDpiAwarenessContext",
      "SetThreadDpiAwarenessContext", "GetDpiForMonitor", "SetProcessDpiAwareness",
  };
  for (const char* name : later) EXPECT_FALSE(imports.functions.count(name)) << name;
  const std::set<std::string> system = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll",
                                        "kernel32.dll", "msvcrt.dll",   "ole32.dll",    "user32.dll",
                                        "shell32.dll",  "ws2_32.dll",   "version.dll",  "winmm.dll"};
  for (const std::string& dll : imports.dlls) EXPECT_TRUE(system.count(dll)) << dll;
  EXPECT_FALSE(imports.dlls.count("shcore.dll"));
}

TEST(ShippedImports, NameNoFunctionOfTheSystemCodePage) {
  Imports imports;
  ASSERT_TRUE(ReadImports(driver::ReadFileBytes(driver::ProgramInTree("machine-list-export.exe")), &imports));
  ASSERT_TRUE(imports.functions.count("CreateWindowExW")) << "the import table was not read";
  const std::set<std::string> toolchain = {
      "GetModuleHandleA", "LoadLibraryA",  // the compiler's start-up code (frame tables)
      "GetStartupInfoA",                   // the C runtime's start-up
      "CreateEventA", "CreateSemaphoreA", "OutputDebugStringA",  // the thread library, unnamed objects
      "CryptAcquireContextA",              // the stack protector's canary
  };
  std::vector<HMODULE> dlls;
  for (const std::string& dll : imports.dlls)
    if (HMODULE m = LoadLibraryA(dll.c_str())) dlls.push_back(m);
  int ansi = 0;
  for (const std::string& name : imports.functions) {
    if (name.size() < 2 || name.back() != 'A' || toolchain.count(name)) continue;
    const std::string twin = name.substr(0, name.size() - 1) + "W";
    for (HMODULE m : dlls) {
      if (!GetProcAddress(m, twin.c_str())) continue;
      ADD_FAILURE() << name << " is imported: " << twin << " is the one for every system";
      ansi++;
      break;
    }
  }
  EXPECT_EQ(ansi, 0);
}

}  // namespace
