// The release as a user gets it: the tree's archive (dist\, made by
// tools/release/package.py) unpacked into C:\工具\ (tests/release.cmake
// does both), checked against SHA256SUMS as certutil would, and the
// program run from there against the demo server.
#include <gtest/gtest.h>

#include <windows.h>
#include <bcrypt.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "tools/driver/tool_session.h"

namespace {

using driver::Wide;

// The demo server that tests/release.cmake writes with tools/make_demo_db.py.
constexpr const char* kDemoImagePath = "%SystemDrive%\\mle_release_demo\\server64.exe";
constexpr const char* kUnpackedInto = "C:\\工具\\";
constexpr const char* kProgram = "machine-list-export.exe";

std::string DistFolder() { return driver::ExeFolder() + "..\\dist\\"; }

// The names of the files in a folder (GBK).
std::set<std::string> FilesIn(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Wide(folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.insert(driver::Gbk(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

// "machine-list-export-1.0.0-win32", the archive's name without ".zip".
std::string ArchiveStem() {
  for (const std::string& name : FilesIn(DistFolder()))
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".zip") == 0) return name.substr(0, name.size() - 4);
  return "";
}

// The version in the archive's name: "1.0.0" of machine-list-export-1.0.0-win32.
std::string VersionOf(const std::string& stem) {
  const std::string prefix = "machine-list-export-", suffix = "-win32";
  if (stem.size() <= prefix.size() + suffix.size() || stem.rfind(prefix, 0) != 0) return "";
  return stem.substr(prefix.size(), stem.size() - prefix.size() - suffix.size());
}

// SHA-256 of bytes in lower-case hex, as SHA256SUMS holds it.
std::string Sha256Hex(const std::string& bytes) {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  BCRYPT_HASH_HANDLE hash = nullptr;
  unsigned char digest[32];
  bool ok = BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0) == 0 &&
            BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0) == 0 &&
            BCryptHashData(hash, reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data())),
                           static_cast<ULONG>(bytes.size()), 0) == 0 &&
            BCryptFinishHash(hash, digest, sizeof digest, 0) == 0;
  if (hash) BCryptDestroyHash(hash);
  if (algorithm) BCryptCloseAlgorithmProvider(algorithm, 0);
  std::string hex;
  for (unsigned char b : digest) {
    char two[3];
    snprintf(two, sizeof two, "%02x", b);
    hex += two;
  }
  return ok ? hex : "";
}

// SHA256SUMS: file name -> sum, from lines "SUM  NAME" ended by CR LF.
std::map<std::string, std::string> ReadSums(const std::string& text) {
  std::map<std::string, std::string> sums;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    std::string line = text.substr(start, end - start);
    size_t gap = line.find("  ");
    if (gap != std::string::npos) sums[line.substr(gap + 2)] = line.substr(0, gap);
  }
  return sums;
}

class ReleaseArchive : public testing::Test {
 protected:
  void SetUp() override {
    stem = ArchiveStem();
    ASSERT_FALSE(stem.empty()) << "no archive in " << DistFolder();
    folder = kUnpackedInto + stem + "\\";
    program = folder + kProgram;
    ASSERT_TRUE(driver::FileExists(program)) << "the archive was not unpacked into " << folder;
  }
  std::string stem, folder, program;
};

TEST_F(ReleaseArchive, ProgramIsTheOneTheSuiteTests) {
  const std::string tested = driver::ReadFileBytes(driver::ProgramInTree(kProgram));
  ASSERT_FALSE(tested.empty());
  EXPECT_TRUE(driver::ReadFileBytes(program) == tested) << program << " differs from the tree's program";
}

TEST_F(ReleaseArchive, VersionResourceMatchesTheArchiveName) {
  const std::string version = VersionOf(stem);
  unsigned major = 0, minor = 0, patch = 0;
  ASSERT_EQ(sscanf(version.c_str(), "%u.%u.%u", &major, &minor, &patch), 3) << stem;
  const std::wstring file = Wide(program);
  DWORD size = GetFileVersionInfoSizeW(file.c_str(), nullptr);
  ASSERT_GT(size, 0u);
  std::string block(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoW(file.c_str(), 0, size, block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, major << 16 | minor);
  EXPECT_EQ(fixed->dwFileVersionLS, patch << 16);
  EXPECT_EQ(fixed->dwProductVersionMS, major << 16 | minor);
  EXPECT_EQ(fixed->dwProductVersionLS, patch << 16);
  for (const wchar_t* key : {L"\\StringFileInfo\\080404B0\\FileVersion", L"\\StringFileInfo\\080404B0\\ProductVersion"}) {
    wchar_t* text = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), key, reinterpret_cast<void**>(&text), &length)) << driver::Utf8(key);
    EXPECT_EQ(driver::Gbk(text), version + ".0") << driver::Utf8(key);
  }
}

TEST_F(ReleaseArchive, EveryFileIsNamedInSha256SumsWithItsSum) {
  std::map<std::string, std::string> sums = ReadSums(driver::ReadFileBytes(DistFolder() + "SHA256SUMS"));
  const std::string zip = stem + ".zip";
  ASSERT_EQ(sums.count(zip), 1u) << "SHA256SUMS does not name " << zip;
  EXPECT_EQ(sums[zip], Sha256Hex(driver::ReadFileBytes(DistFolder() + zip)));
  sums.erase(zip);
  const std::set<std::string> files = FilesIn(folder);
  EXPECT_EQ(files, (std::set<std::string>{kProgram, "README.txt", "NOTICES.txt"}));
  for (const std::string& name : files) {
    const std::string entry = stem + "/" + name;
    ASSERT_EQ(sums.count(entry), 1u) << "SHA256SUMS does not name " << entry;
    EXPECT_EQ(sums[entry], Sha256Hex(driver::ReadFileBytes(folder + name))) << entry;
    sums.erase(entry);
  }
  for (const auto& [name, sum] : sums) ADD_FAILURE() << "SHA256SUMS names " << name << ", which the archive lacks";
}

TEST_F(ReleaseArchive, RunsFromTheChineseFolderAndExportsTheDemo) {
  e2e::SetImagePath(std::string(kDemoImagePath), /*expand=*/true);
  const std::string expected = model::DemoExport();
  const size_t machines = model::DemoRows().size();
  e2e::Tool tool(program.c_str());
  ASSERT_TRUE(tool.Start());
  ASSERT_EQ(tool.Rows().size(), machines);
  tool.Keys({VK_CONTROL, 'A'});
  const std::string selected = model::SelectedCaption(machines);
  ASSERT_EQ(tool.WaitForSelectedCaption(selected), selected);
  const std::string out = e2e::OutputPath("release_demo.txt");
  DeleteFileW(Wide(out).c_str());
  ASSERT_TRUE(tool.Export(out));
  EXPECT_TRUE(driver::ReadFileBytes(out) == expected) << "the export differs from the demo's rows";
  DWORD code = 1;
  EXPECT_TRUE(tool.PressEscapeAndWait(&code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
