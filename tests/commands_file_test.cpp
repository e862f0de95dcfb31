// WriteToFile against real files in a folder of the test's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "commands/core_commands.h"
#include "runtime/heap.h"

namespace {

class WriteToFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A folder of this test's own: process ids come round again, and a
    // killed test program leaves its folder behind.
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    for (int n = 1;; n++) {
      folder_ = std::string(temp) + "rt_commands_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(n) + "\\";
      if (CreateDirectoryA(folder_.c_str(), nullptr) || GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
  }
  void TearDown() override {
    for (auto& f : created_) DeleteFileA(f.c_str());
    for (RtArray* s : sets_) RtFree(s);
    RemoveDirectoryA(folder_.c_str());
  }

  std::string Path(const char* name) {
    created_.push_back(folder_ + name);
    return created_.back();
  }
  ArgValue Bytes(const std::string& data) {
    sets_.push_back(RtNewBytes(data.data(), static_cast<int32_t>(data.size())));
    return BytesArg(sets_.back());
  }
  static int32_t Write(const std::string& name, std::vector<ArgValue> data) {
    std::vector<ArgValue> args{TextArg(name.c_str())};
    args.insert(args.end(), data.begin(), data.end());
    ArgValue result{};
    result.v.u64 = 0xDEADBEEF;  // the command must set its answer either way
    WriteToFile(&result, static_cast<int>(args.size()), args.data());
    return result.v.i32;
  }
  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

  std::string folder_;
  std::vector<std::string> created_;
  std::vector<RtArray*> sets_;
};

TEST_F(WriteToFileTest, WritesTheByteSetsInOrder) {
  struct { const char* name; std::vector<std::string> parts; std::string expected; } cases[] = {
      {"one.txt", {"machine 1\r\n"}, "machine 1\r\n"},
      {"two.txt", {"abc", "de"}, "abcde"},
      {"gaps.txt", {"", "x", "", "y"}, "xy"},
      {"none.txt", {}, ""},
      {"gbk.txt", {"机器\r\n"}, "机器\r\n"},
  };
  for (auto& c : cases) {
    std::vector<ArgValue> data;
    for (auto& p : c.parts) data.push_back(Bytes(p));
    std::string path = Path(c.name);
    EXPECT_EQ(Write(path, data), 1) << c.name;
    EXPECT_TRUE(Exists(path)) << c.name;
    EXPECT_EQ(Contents(path), c.expected) << c.name;
  }
}

TEST_F(WriteToFileTest, TruncatesALongerFile) {
  std::string path = Path("old.txt");
  { std::ofstream(path, std::ios::binary) << std::string(5000, 'o'); }
  EXPECT_EQ(Write(path, {Bytes("new")}), 1);
  EXPECT_EQ(Contents(path), "new");
  // A second write opens the file again: the first one closed it.
  EXPECT_EQ(Write(path, {}), 1);
  EXPECT_EQ(Contents(path), "");
}

TEST_F(WriteToFileTest, SkipsArgumentsThatAreNotByteSets) {
  std::string path = Path("mixed.txt");
  EXPECT_EQ(Write(path, {Bytes("a"), OmittedArg(), TextArg("text"), BytesArg(nullptr), Bytes("b")}), 1);
  EXPECT_EQ(Contents(path), "ab");
}

TEST_F(WriteToFileTest, EmptyNameTouchesNothing) {
  EXPECT_EQ(Write("", {Bytes("x")}), 0);
  ArgValue args[2] = {TextArg(nullptr), Bytes("x")};
  ArgValue result{};
  WriteToFile(&result, 2, args);
  EXPECT_EQ(result.v.i32, 0);
}

TEST_F(WriteToFileTest, MissingFolderAnswersZero) {
  std::string path = folder_ + "no such folder\\x.txt";
  EXPECT_EQ(Write(path, {Bytes("x")}), 0);
  EXPECT_FALSE(Exists(path));
}

TEST_F(WriteToFileTest, FileHeldOpenWithoutSharingAnswersZero) {
  std::string path = Path("held.txt");
  { std::ofstream(path, std::ios::binary) << "keep"; }
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Write(path, {Bytes("x")}), 0);
  CloseHandle(held);
  EXPECT_EQ(Contents(path), "keep");
}

TEST_F(WriteToFileTest, ReadOnlyFileAnswersZeroAndKeepsItsBytes) {
  std::string path = Path("read-only.txt");
  { std::ofstream(path, std::ios::binary) << "keep"; }
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(Write(path, {Bytes("x")}), 0);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(Contents(path), "keep");
}

}  // namespace
