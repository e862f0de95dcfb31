// The shipped program's file as Windows and installers read it: its
// version information (read back with GetFileVersionInfo, as Explorer's
// properties page does) and the manifest that the loader applies.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tools/driver/driver.h"

namespace {

std::string ProgramPath() { return driver::ProgramInTree("machine-list-export.exe"); }

std::vector<uint8_t> VersionBlock(const std::string& path) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  std::vector<uint8_t> block(size);
  if (!size || !GetFileVersionInfoA(path.c_str(), 0, size, block.data())) block.clear();
  return block;
}

// A string of the Simplified Chinese (0x0804) Unicode (1200) table, in the
// system code page; "<missing>" when absent.
std::string VersionString(std::vector<uint8_t>& block, const char* name) {
  std::string key = std::string("\\StringFileInfo\\080404b0\\") + name;
  char* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&text), &length) || !text)
    return "<missing>";
  return text;
}

TEST(ShippedFile, VersionInformationNamesTheProduct) {
  std::vector<uint8_t> block = VersionBlock(ProgramPath());
  ASSERT_FALSE(block.empty()) << "no version resource";

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  struct {
    WORD language, codePage;
  }* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_GE(length, 4u);
  EXPECT_EQ(translation->language, 0x0804);
  EXPECT_EQ(translation->codePage, 1200);

  const struct {
    const char* name;
    const char* value;  // null: any non-empty text
  } strings[] = {
      {"ProductName", "机器列表导出工具"}, {"FileVersion", "1.0.0.0"}, {"ProductVersion", "1.0.0.0"},
      {"OriginalFilename", "machine-list-export.exe"}, {"FileDescription", nullptr},
      {"LegalCopyright", nullptr},
  };
  for (const auto& s : strings) {
    std::string value = VersionString(block, s.name);
    if (s.value) {
      EXPECT_EQ(value, s.value) << s.name;
    } else {
      EXPECT_NE(value, "<missing>") << s.name;
      EXPECT_FALSE(value.empty()) << s.name;
    }
  }
  EXPECT_NE(VersionString(block, "LegalCopyright").find("Copyright"), std::string::npos);
}

std::string ManifestText(const std::string& path) {
  HMODULE file = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!file) return "";
  std::string text;
  if (HRSRC res = FindResourceA(file, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {  // RT_MANIFEST
    if (HGLOBAL loaded = LoadResource(file, res))
      text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(file, res));
  }
  FreeLibrary(file);
  return text;
}

TEST(ShippedFile, ManifestRunsAsInvokerOnTheSupportedSystems) {
  const std::string manifest = ManifestText(ProgramPath());
  ASSERT_FALSE(manifest.empty()) << "no manifest resource";
  const char* required[] = {
      "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
      "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
      "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
      "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
      "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
      "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
      "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
  };
  for (const char* text : required) EXPECT_NE(manifest.find(text), std::string::npos) << text;
}

}  // namespace
