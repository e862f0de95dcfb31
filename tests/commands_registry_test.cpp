// ReadRegistryText against the real registry of the Wine prefix. Every case
// works under its own test key, which the fixture deletes afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/core_commands.h"
#include "runtime/heap.h"

namespace {

// Test programs run side by side in one prefix: each uses names of its own.
const std::string kKey = "Software\\RtCommandsRegistryTest" + std::to_string(GetCurrentProcessId());
const std::string kRootValue = "RtCommandsRegistryTestRootValue" + std::to_string(GetCurrentProcessId());

void SetValue(HKEY root, const char* key, const char* name, DWORD kind, const void* data, DWORD size) {
  HKEY k;
  ASSERT_EQ(RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr), ERROR_SUCCESS) << key;
  ASSERT_EQ(RegSetValueExA(k, name, 0, kind, static_cast<const BYTE*>(data), size), ERROR_SUCCESS) << name;
  RegCloseKey(k);
}

void SetText(HKEY root, const char* key, const char* name, DWORD kind, const char* text) {
  SetValue(root, key, name, kind, text, static_cast<DWORD>(strlen(text) + 1));
}

class ReadRegistryTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string sub = std::string(kKey) + "\\Sub";
    SetText(HKEY_CURRENT_USER, sub.c_str(), "Name", REG_SZ, "hello");
    SetText(HKEY_CURRENT_USER, sub.c_str(), "", REG_SZ, "key default");
    SetText(HKEY_CURRENT_USER, sub.c_str(), "Empty", REG_SZ, "");
    SetValue(HKEY_CURRENT_USER, sub.c_str(), "NoNul", REG_SZ, "abc", 3);
    DWORD number = 7;
    SetValue(HKEY_CURRENT_USER, sub.c_str(), "Number", REG_DWORD, &number, sizeof number);
    SetValue(HKEY_CURRENT_USER, sub.c_str(), "Raw", REG_BINARY, "ab", 2);
    SetValue(HKEY_CURRENT_USER, sub.c_str(), "Multi", REG_MULTI_SZ, "a\0b\0", 5);
    SetText(HKEY_CURRENT_USER, sub.c_str(), "Long", REG_SZ, std::string(3000, 'z').c_str());
    // 乗 is 81 5C in GBK: its second byte looks like a backslash.
    SetText(HKEY_CURRENT_USER, sub.c_str(), "乗x", REG_SZ, "double-byte name");
    SetText(HKEY_CURRENT_USER, "", kRootValue.c_str(), REG_SZ, "at the root");
    SetText(HKEY_LOCAL_MACHINE, kKey.c_str(), "Expand", REG_EXPAND_SZ, "%SystemRoot%\\x");
    SetText(HKEY_LOCAL_MACHINE, kKey.c_str(), "Plain", REG_SZ, "%SystemRoot%\\x");
  }
  void TearDown() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kKey.c_str());
    RegDeleteValueA(HKEY_CURRENT_USER, kRootValue.c_str());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey.c_str());
  }

  // The text read; "(null)" stands for the null (empty) result.
  static std::string Read(int32_t root, const std::string& path, const char* fallback = nullptr) {
    ArgValue args[3] = {IntArg(root), TextArg(path.c_str()), fallback ? TextArg(fallback) : OmittedArg()};
    ArgValue result{};
    ReadRegistryText(&result, 3, args);
    if (!result.v.text) return "(null)";
    std::string s = result.v.text;
    RtFree(result.v.text);
    return s;
  }
};

std::string Expanded(const char* text) {
  char buffer[MAX_PATH];
  DWORD n = ExpandEnvironmentStringsA(text, buffer, sizeof buffer);
  return n ? buffer : "";
}

TEST_F(ReadRegistryTextTest, ExpandsEnvironmentVariablesOfExpandableValues) {
  std::string expected = Expanded("%SystemRoot%\\x");
  ASSERT_EQ(expected.find('%'), std::string::npos);
  EXPECT_EQ(Read(4, std::string(kKey) + "\\Expand"), expected);
  EXPECT_EQ(Read(4, std::string(kKey) + "\\Plain"), "%SystemRoot%\\x");  // REG_SZ stays as stored
}

TEST_F(ReadRegistryTextTest, ReadsTextValues) {
  const std::string sub = std::string(kKey) + "\\Sub\\";
  struct { std::string path; const char* fallback; std::string expected; } cases[] = {
      {sub + "Name", nullptr, "hello"},
      {sub + "Name", "dflt", "hello"},
      {sub, "dflt", "key default"},            // ends in a backslash: the key's default value
      {sub + "Empty", "dflt", "(null)"},       // an existing empty text is not a failure
      {sub + "NoNul", nullptr, "abc"},         // stored without its NUL
      {sub + "Long", nullptr, std::string(3000, 'z')},
      {sub + "乗x", "dflt", "double-byte name"},
      {kRootValue, "dflt", "at the root"},     // no backslash: a value of the root key
  };
  for (auto& c : cases) EXPECT_EQ(Read(3, c.path, c.fallback), c.expected) << c.path;
}

TEST_F(ReadRegistryTextTest, FallsBackToTheDefault) {
  const std::string sub = std::string(kKey) + "\\Sub\\";
  struct { std::string path; const char* fallback; std::string expected; } cases[] = {
      {sub + "Number", "dflt", "dflt"},       // REG_DWORD is not a text
      {sub + "Number", nullptr, "(null)"},
      {sub + "Raw", "dflt", "dflt"},
      {sub + "Multi", "dflt", "dflt"},
      {sub + "Missing", "dflt", "dflt"},
      {std::string(kKey) + "\\NoSuchKey\\Name", "dflt", "dflt"},
      {std::string(kKey) + "\\NoSuchKey\\Name", nullptr, "(null)"},
      {std::string(kKey) + "\\NoSuchKey\\Name", "", "(null)"},
      {"", "dflt", "dflt"},
  };
  for (auto& c : cases) EXPECT_EQ(Read(3, c.path, c.fallback), c.expected) << c.path;
}

TEST_F(ReadRegistryTextTest, RootNumbersSelectTheRootKey) {
  const std::string name = std::string(kKey) + "\\Sub\\Name";
  for (int32_t root : {0, 3, 99, -1}) EXPECT_EQ(Read(root, name, "dflt"), "hello") << root;
  EXPECT_EQ(Read(4, name, "dflt"), "dflt");  // not under HKEY_LOCAL_MACHINE
  const std::string expand = std::string(kKey) + "\\Plain";
  EXPECT_EQ(Read(3, expand, "dflt"), "dflt");  // only under HKEY_LOCAL_MACHINE
}

}  // namespace
