// Export files that cannot be written, through the real tool: the user is
// told "写入文件失败", the program goes on working, and the database stays
// as it was.
#include <gtest/gtest.h>

#include <functional>

#include "tests/app_hostile_run.h"

namespace {

const std::vector<e2e::Record> kMachines = {{"PC01", "AA", "1"}, {"PC02", "BB", "2"}, {"PC03", "CC", "3"}};
const std::string kExported = model::ExportFile(model::Shown(kMachines));

// A tool on a three-machine server with every row selected.
class HostileOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    e2e::SetImagePath(e2e::MakeServer("mle_out_server", kMachines));
    database_ = driver::SnapshotOf("C:\\mle_out_server\\config\\quillnode.db");
    std::vector<std::string> messages;
    ASSERT_TRUE(tool_.StartAnswering(&messages));
    ASSERT_EQ(messages, std::vector<std::string>{});
    tool_.SelectAllRows();
  }
  void TearDown() override {
    DWORD code = 1;
    EXPECT_TRUE(tool_.PressEscapeAndWait(&code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(driver::SnapshotOf("C:\\mle_out_server\\config\\quillnode.db") == database_)
        << "the database changed";
  }
  // Exports to path; the boxes that the handler then shows.
  std::vector<std::string> ExportTo(const std::string& path, const std::function<void()>& atPrompt = nullptr) {
    EXPECT_TRUE(tool_.Export(path, atPrompt)) << path;
    return tool_.AnswerBoxes();
  }
  // The program still works: a good file is written, without a box.
  void ExpectAGoodExport() {
    std::string good = e2e::OutputPath("hostile_good.txt");
    DeleteFileA(good.c_str());
    EXPECT_EQ(ExportTo(good), std::vector<std::string>{});
    EXPECT_EQ(driver::ReadFileBytes(good), kExported);
  }

  e2e::Tool tool_;
  driver::FileSnapshot database_;
};

const std::vector<std::string> kWriteFailed = {model::kWriteFailed};

void WriteText(const std::string& path, const std::string& text) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written;
  WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(f);
}

TEST_F(HostileOutput, FilesThatCannotBeWrittenAreReported) {
  struct Case {
    const char* name;
    std::string path;
    std::function<void()> before;           // prepares the file
    std::function<void()> atOverwritePrompt;  // runs while the dialog asks
    std::function<void()> after;            // tidies up
  };
  HANDLE held = INVALID_HANDLE_VALUE;
  const std::string heldPath = e2e::OutputPath("hostile_held.txt");
  const std::string readOnlyPath = e2e::OutputPath("hostile_read_only.txt");
  const std::string vanishing = e2e::OutputPath("hostile_vanishing\\");
  const std::string vanishingPath = vanishing + "export.txt";
  const Case cases[] = {
      {"held open without sharing", heldPath,
       [&] { held = CreateFileA(heldPath.c_str(), GENERIC_READ, 0, nullptr, CREATE_ALWAYS, 0, nullptr); },
       nullptr, [&] { CloseHandle(held); }},
      {"read-only file", readOnlyPath,
       [&] {
         SetFileAttributesA(readOnlyPath.c_str(), FILE_ATTRIBUTE_NORMAL);
         WriteText(readOnlyPath, "keep");
         SetFileAttributesA(readOnlyPath.c_str(), FILE_ATTRIBUTE_READONLY);
       },
       nullptr,
       [&] {
         EXPECT_EQ(driver::ReadFileBytes(readOnlyPath), "keep");
         SetFileAttributesA(readOnlyPath.c_str(), FILE_ATTRIBUTE_NORMAL);
       }},
      // The file exists, so the dialog asks before replacing it; while it
      // asks, the folder goes away, and the write comes after the dialog.
      {"folder gone between the dialog and the write", vanishingPath,
       [&] { WriteText(vanishingPath, "old"); },
       [&] {
         EXPECT_TRUE(DeleteFileA(vanishingPath.c_str()));
         EXPECT_TRUE(RemoveDirectoryA(vanishing.c_str())) << GetLastError();
       },
       [&] { EXPECT_FALSE(driver::FileExists(vanishing)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.before();
    EXPECT_EQ(ExportTo(c.path, c.atOverwritePrompt), kWriteFailed);
    c.after();
    ExpectAGoodExport();
  }
}

// Needs a small file system mounted at C:\mle-full (tools/small-disk.sh,
// run by CTest as this test's set-up when it may mount).
TEST_F(HostileOutput, FullDiskIsReported) {
  const std::string folder = "C:\\mle-full\\";
  ULARGE_INTEGER total{}, free{};
  if (!GetDiskFreeSpaceExA(folder.c_str(), nullptr, &total, &free) || total.QuadPart > (16u << 20)) {
    GTEST_SKIP() << "no size-limited mount at " << folder << " (mounting needs root)";
  }
  // Fill it to the last byte.
  const std::string filler = folder + "filler";
  HANDLE f = CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  std::string block(4096, 'f');
  DWORD written = 0;
  while (WriteFile(f, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) && written) {}
  while (WriteFile(f, "f", 1, &written, nullptr) && written) {}
  CloseHandle(f);

  const std::string path = folder + "export.txt";
  DeleteFileA(path.c_str());
  EXPECT_EQ(ExportTo(path), kWriteFailed);
  DeleteFileA(path.c_str());
  DeleteFileA(filler.c_str());
  ExpectAGoodExport();
}

}  // namespace
