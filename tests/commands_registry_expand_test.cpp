// ReadRegistryText's expansion of REG_EXPAND_SZ values, against the real
// registry of the Wine prefix: results of every size around the buffer
// sizes that matter, double-byte expansions, and variables that are not
// defined.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "commands/core_commands.h"
#include "runtime/heap.h"

namespace {

const std::string kKey = "Software\\RtRegistryExpandTest" + std::to_string(GetCurrentProcessId());

class ExpandTest : public ::testing::Test {
 protected:
  void TearDown() override {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey.c_str());
    SetEnvironmentVariableA("MLE_EXPAND_TEST", nullptr);
  }
  // Stores text as REG_EXPAND_SZ and reads it back; "(default)" when the
  // read failed.
  static std::string ReadExpanded(const std::string& text) {
    HKEY key;
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Value", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    std::string path = kKey + "\\Value";
    ArgValue args[3] = {IntArg(4), TextArg(path.c_str()), TextArg("(default)")};
    ArgValue result{};
    ReadRegistryText(&result, 3, args);
    std::string s = result.v.text ? result.v.text : "";
    RtFree(result.v.text);
    return s;
  }
};

TEST_F(ExpandTest, ResultsOfEveryLengthAroundTheBufferSizesAreWhole) {
  // The variable's value makes the result 1 to 4 bytes on either side of
  // sizes where a buffer that is one byte short would show.
  for (size_t size : {1u, 2u, 255u, 256u, 259u, 260u, 511u, 512u, 1023u, 1024u, 4095u, 4096u, 10000u}) {
    for (size_t delta = 0; delta < 4; delta++) {
      std::string value(size + delta, 'v');
      SetEnvironmentVariableA("MLE_EXPAND_TEST", value.c_str());
      EXPECT_EQ(ReadExpanded("%MLE_EXPAND_TEST%\\x"), value + "\\x") << size + delta;
    }
  }
}

TEST_F(ExpandTest, ExpansionsOfEveryKind) {
  SetEnvironmentVariableA("MLE_EXPAND_TEST", "机房服务器");
  struct Case {
    const char* stored;
    std::string expected;
  } cases[] = {
      {"%MLE_EXPAND_TEST%\\bin", "机房服务器\\bin"},  // two bytes a character
      {"D:\\%MLE_EXPAND_TEST%\\%MLE_EXPAND_TEST%", "D:\\机房服务器\\机房服务器"},
      {"%MLE_NO_SUCH_VARIABLE%\\Server\\server64.exe", "%MLE_NO_SUCH_VARIABLE%\\Server\\server64.exe"},
      {"100%", "100%"},
      {"%%", "%%"},
      {"", ""},  // an empty result is the empty text, not a failure
  };
  for (const Case& c : cases) EXPECT_EQ(ReadExpanded(c.stored), c.expected) << c.stored;
}

TEST_F(ExpandTest, LongValuesExpandWhole) {
  std::string stored = "%SystemDrive%\\" + std::string(10000, 'a');
  char drive[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableA("SystemDrive", drive, sizeof drive), 0u);
  EXPECT_EQ(ReadExpanded(stored), std::string(drive) + "\\" + std::string(10000, 'a'));
}

}  // namespace
