// The program's texts at the Win32 boundary, run at the system code pages
// 936, 1252 and 65001 (tests/text_boundary.cmake): whatever the system's
// code page, the program's GBK texts reach Windows as the Chinese they
// spell, and what Windows hands back reaches the program as GBK. Texts
// are read and written here through the W functions, as a user sees them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/core_commands.h"
#include "runtime/gbk_boundary.h"
#include "runtime/heap.h"
#include "tests/ui_test_support.h"
#include "ui/framework/events.h"
#include "ui/framework/host.h"
#include "ui/template/button_blob.h"
#include "ui/template/combo_blob.h"
#include "ui/template/edit_blob.h"
#include "ui/template/label_blob.h"
#include "ui/template/window_blob.h"

namespace {

// The process's own code page, as the prefix gave it.
TEST(GbkBoundary, RunsAtTheCodePageItWasStartedFor) {
  const char* expected = getenv("MLE_CODEPAGE");
  EXPECT_EQ(GetACP(), expected ? static_cast<UINT>(atoi(expected)) : 936u);
}

TEST(GbkBoundary, ConvertsThroughCodePage936) {
  EXPECT_EQ(WideFromGbk("机器列表导出工具"), L"机器列表导出工具");
  EXPECT_EQ(GbkFromWide(L"机器列表导出工具"), "机器列表导出工具");
  EXPECT_EQ(GbkFromWide(WideFromGbk("路径：C:\\无盘服务")), "路径：C:\\无盘服务");
  // A filter list keeps its NULs.
  EXPECT_EQ(WideFromGbk(std::string_view("机\0*.txt\0\0", 9)), std::wstring(L"机\0*.txt\0\0", 8));

  // A character GBK lacks is '?', and the exact form says so.
  std::string gbk;
  EXPECT_FALSE(GbkFromWideExact(L"C:\\\x0E01服务", &gbk));
  EXPECT_EQ(gbk, "C:\\?服务");
  EXPECT_TRUE(GbkFromWideExact(L"C:\\服务", &gbk));

  // A fixed buffer keeps whole characters only.
  wchar_t small[4];
  CopyGbkAsWide("第一个提示", small, 4);
  EXPECT_STREQ(small, L"第一个");
  wchar_t pair[3];
  CopyGbkAsWide("a", pair, 3);
  EXPECT_STREQ(pair, L"a");

  // A face name of 16 Chinese characters (32 bytes) keeps 15 of them.
  LOGFONTW wide{};
  wcscpy(wide.lfFaceName, L"一二三四五六七八九十一二三四五六");
  EXPECT_STREQ(LogFontFromWide(wide).lfFaceName, "一二三四五六七八九十一二三四五");
}

constexpr uint32_t kWin = 0x52000001, kOwn = 0x06000001, kEdit = 0x16000002, kButton = 0x16000003,
                   kLabel = 0x16000004, kCombo = 0x16000005;

std::wstring WideText(HWND h) {
  wchar_t text[256] = {};
  GetWindowTextW(h, text, 256);
  return text;
}

class BoundaryWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<TestUnit> units = {
        {.id = kOwn, .type = kWindowType, .left = 100, .top = 80, .width = 320, .height = 200, .flags = 1,
         .blob = EncodeWindowProps(WindowProps{.startPosition = 0, .title = "测试窗口"})},
        {.id = kEdit, .type = kEditType, .name = "编辑框1", .left = 10, .top = 10, .width = 120, .height = 20,
         .flags = 5, .blob = EncodeEditProps(EditProps{.content = "内容"}),
         .bindings = {{kEventChar, RecorderOffset(4)}}},
        {.id = kButton, .type = kButtonType, .name = "按钮1", .left = 10, .top = 40, .width = 80, .height = 24,
         .flags = 5, .blob = EncodeButtonProps(ButtonProps{.caption = "导出选中项"})},
        {.id = kLabel, .type = kLabelType, .name = "标签1", .left = 10, .top = 70, .width = 60, .height = 20,
         .flags = 1, .blob = EncodeLabelProps(LabelProps{.caption = "路径："})},
        {.id = kCombo, .type = kComboType, .name = "组合框1", .left = 10, .top = 100, .width = 80, .height = 20,
         .flags = 5, .blob = EncodeComboProps(ComboProps{.items = {"机器名", "MAC", "IP", "无"}})},
    };
    ASSERT_TRUE(StartRuntime(BuildTemplate(kWin, units)));
    ASSERT_TRUE(UnitFrameworkHost().loadWindow(kWin, false, nullptr));
    PumpMessages();
  }
  void TearDown() override { StopRuntime(); }
};

TEST_F(BoundaryWindow, EveryTextShowsTheChineseItCarries) {
  EXPECT_EQ(WideText(UnitHandle(kWin, 0)), L"测试窗口");
  EXPECT_EQ(WideText(UnitHandle(kWin, kEdit)), L"内容");
  EXPECT_EQ(WideText(UnitHandle(kWin, kButton)), L"导出选中项");
  EXPECT_EQ(WideText(UnitHandle(kWin, kLabel)), L"路径：");
  HWND combo = UnitHandle(kWin, kCombo);
  std::vector<std::wstring> items;
  for (int i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); i++) {
    wchar_t item[64] = {};
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
    items.push_back(item);
  }
  EXPECT_EQ(items, (std::vector<std::wstring>{L"机器名", L"MAC", L"IP", L"无"}));

  // Written by the program, read back by it: GBK both ways.
  WriteText(kWin, kLabel, kLabelCaption, "共:36");
  EXPECT_EQ(WideText(UnitHandle(kWin, kLabel)), L"共:36");
  WriteText(kWin, 0, kWindowTitle, "机器列表导出工具");
  EXPECT_EQ(WideText(UnitHandle(kWin, 0)), L"机器列表导出工具");
  SetWindowTextW(UnitHandle(kWin, kEdit), L"C:\\无盘服务\\config\\quillnode.db");
  EXPECT_EQ(ReadText(kWin, kEdit, kEditContent), "C:\\无盘服务\\config\\quillnode.db");
}

// The loop gets typed characters as UTF-16; the program sees GBK: the
// character event once per GBK byte, lead byte first, and the edit box's
// content. An IME's character (WM_IME_CHAR) comes back from the system as
// a character message like a typed one.
TEST_F(BoundaryWindow, TypedChineseReachesTheProgramAsGbk) {
  HWND edit = UnitHandle(kWin, kEdit);
  WriteText(kWin, kEdit, kEditContent, "");
  HandlerCalls().clear();
  for (auto [message, unit] : {std::pair{WM_CHAR, 0x4E2D}, {WM_IME_CHAR, 0x6587}, {WM_CHAR, 'x'}}) {
    PostMessageW(edit, message, unit, 1);  // 中: D6 D0; 文: CE C4
    PumpMessages();
  }
  std::vector<uint32_t> chars;
  for (const auto& c : HandlerCalls()) chars.push_back(c.args[0]);
  EXPECT_EQ(chars, (std::vector<uint32_t>{0xD6, 0xD0, 0xCE, 0xC4, 'x'}));
  EXPECT_EQ(ReadText(kWin, kEdit, kEditContent), "中文x");

  // An answer of 0 for a byte drops the whole character; an answer above a
  // byte is a double-byte character, lead byte high.
  g_handlerAnswer = ReturnValue(0);
  PostMessageW(edit, WM_CHAR, 0x4E2D, 1);
  PumpMessages();
  EXPECT_EQ(ReadText(kWin, kEdit, kEditContent), "中文x");
  g_handlerAnswer = ReturnValue(0xB9FA);  // 国
  PostMessageW(edit, WM_CHAR, 'y', 1);
  PumpMessages();
  EXPECT_EQ(ReadText(kWin, kEdit, kEditContent), "中文x国");
}

// Names of files and registry values, and the texts stored in them.
class BoundarySystem : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"无盘服务" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    DeleteFileW((folder_ + L"\\机器.txt").c_str());
    RemoveDirectoryW(folder_.c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str());
  }
  void SetValue(const wchar_t* name, DWORD kind, const std::wstring& text) {
    HKEY k;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(k, name, 0, kind, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(k);
  }
  static std::string ReadValue(const std::string& item) {
    std::vector<ArgValue> args{IntArg(3), TextArg(item.c_str()), OmittedArg()};
    ArgValue result{};
    ReadRegistryText(&result, 3, args.data());
    std::string text = result.v.text ? result.v.text : "";
    RtFree(result.v.text);
    return text;
  }

  std::wstring folder_;
  const std::wstring key_ = L"Software\\RtBoundaryTest" + std::to_wstring(GetCurrentProcessId());
};

TEST_F(BoundarySystem, AFileUnderAChineseNameIsWrittenThere) {
  const std::string path = GbkFromWide(folder_) + "\\机器.txt";
  RtArray* bytes = RtNewBytes("机器 1\r\n", 8);
  std::vector<ArgValue> args{TextArg(path.c_str()), BytesArg(bytes)};
  ArgValue result{};
  WriteToFile(&result, 2, args.data());
  RtFree(bytes);
  EXPECT_EQ(result.v.i32, 1);
  HANDLE f = CreateFileW((folder_ + L"\\机器.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE) << "not written under its UTF-16 name";
  char data[16] = {};
  DWORD got = 0;
  ReadFile(f, data, sizeof data, &got, nullptr);
  CloseHandle(f);
  EXPECT_EQ(std::string(data, got), "机器 1\r\n");

  // A name with a character GBK lacks arrives as '?', which names no file.
  const std::string unnamed = GbkFromWide(folder_) + "\\?.txt";  // outlives the call
  args[0] = TextArg(unnamed.c_str());
  bytes = RtNewBytes("x", 1);
  args[1] = BytesArg(bytes);
  WriteToFile(&result, 2, args.data());
  RtFree(bytes);
  EXPECT_EQ(result.v.i32, 0);
}

TEST_F(BoundarySystem, RegistryTextsAndTheirNamesAreGbk) {
  const std::string key = GbkFromWide(key_);
  SetValue(L"ImagePath", REG_EXPAND_SZ, L"%SystemDrive%\\无盘服务\\server64.exe");
  SetValue(L"服务", REG_SZ, L"机器列表");
  SetValue(L"Thai", REG_SZ, L"C:\\\x0E01\\server64.exe");
  EXPECT_EQ(ReadValue(key + "\\ImagePath"), "C:\\无盘服务\\server64.exe");
  EXPECT_EQ(ReadValue(key + "\\服务"), "机器列表");
  EXPECT_EQ(ReadValue(key + "\\Thai"), "C:\\?\\server64.exe");
}

}  // namespace
