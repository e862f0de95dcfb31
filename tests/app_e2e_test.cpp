// The real tool, started under Wine against databases and registry values
// made here, driven from outside its process.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "tests/window_geometry.h"
#include "tools/driver/tool_session.h"

using e2e::Record;
using e2e::Row;
using e2e::Tool;
using model::StoredIp;

namespace {

constexpr DWORD kExitWaitMs = 10000;
constexpr const char* kShutdownMark = "MACHINE_LIST_SHUTDOWN_MARK";

std::vector<Record> ThreeMachines() {
  return {{"PC01", "00-11-22-33-44-01", StoredIp(192, 168, 1, 11)},
          {"机房 二", "00-11-22-33-44-02", StoredIp(10, 0, 0, 2)},
          {"PC03", "00-11-22-33-44-03", StoredIp(172, 16, 5, 3)}};
}

class ToolTest : public ::testing::Test {
 protected:
  void StartWith(const std::vector<Record>& records) {
    e2e::SetImagePath(e2e::MakeServer(Name(), records));
    ASSERT_TRUE(tool.Start());
  }
  std::string Name() const {
    return std::string("mle_") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
  }
  std::string ExportFile(const std::string& path) {
    EXPECT_TRUE(tool.Export(path));
    return driver::ReadFileBytes(path);
  }
  void SelectAll() {
    tool.Keys({VK_CONTROL, 'A'});
    tool.WaitForSelectedCaption(model::SelectedCaption(tool.Rows().size()));
  }
  Tool tool;
};

TEST_F(ToolTest, RowsShowNameMacAndIpWithTheFirstOctetLowest) {
  const std::vector<Record> records = {
      {"PC01", "AA", StoredIp(192, 168, 1, 1)},
      {"PC02", "BB", "-" + std::to_string((1ull << 32) - std::stoull(StoredIp(192, 168, 1, 200)))},
      {"PC03", "CC", "192.168.1.1"},
      {"PC04", "DD", "１９２"},
      {"PC05", "", StoredIp(1, 2, 3, 4)},
      {"PC06", std::nullopt, StoredIp(1, 2, 3, 4)},
      {"PC07", "GG", std::nullopt}};
  ASSERT_NO_FATAL_FAILURE(StartWith(records));
  std::vector<Row> expected = {{"PC01", "AA", "192.168.1.1"},
                               {"PC02", "BB", "192.168.1.200"},  // negative decimal, same 32 bits
                               {"PC03", "CC", "192.0.0.0"},      // dotted text reads as 192
                               {"PC04", "DD", "192.0.0.0"},      // full-width digits
                               {"PC07", "GG", "0.0.0.0"}};
  EXPECT_EQ(tool.Rows(), expected);
  EXPECT_EQ(tool.TotalCaption(), model::TotalCaption(5));
  EXPECT_EQ(tool.SelectedCaption(), "");
}

TEST_F(ToolTest, AnUnnamedRecordIsSkippedAndReadingGoesOn) {
  const std::vector<Record> records = {
      {"PC01", "A1", "1"}, {"", "A2", "2"}, {"PC03", "A3", "3"}, {std::nullopt, "A4", "4"}, {"PC05", "A5", "5"}};
  ASSERT_NO_FATAL_FAILURE(StartWith(records));
  std::vector<Row> expected = {{"PC01", "A1", "1.0.0.0"}, {"PC03", "A3", "3.0.0.0"}, {"PC05", "A5", "5.0.0.0"}};
  EXPECT_EQ(tool.Rows(), expected);
  EXPECT_EQ(tool.TotalCaption(), model::TotalCaption(3));
}

TEST_F(ToolTest, CtrlASelectsEveryRowAndClicksCountTheSelection) {
  std::vector<Record> records;
  for (int i = 0; i < 12; i++) records.push_back({"PC" + std::to_string(i), "M" + std::to_string(i), "1"});
  ASSERT_NO_FATAL_FAILURE(StartWith(records));
  tool.Keys({VK_CONTROL, VK_SHIFT, 'A'});
  EXPECT_EQ(tool.SelectedCaption(), "");
  EXPECT_TRUE(tool.SelectedRows().empty());

  tool.ClickRow(3);
  EXPECT_EQ(tool.WaitForSelectedCaption(model::SelectedCaption(1)), model::SelectedCaption(1));
  EXPECT_EQ(tool.SelectedRows(), std::vector<int>{3});

  tool.Keys({VK_CONTROL, 'A'});
  EXPECT_EQ(tool.WaitForSelectedCaption(model::SelectedCaption(12)), model::SelectedCaption(12));
  EXPECT_EQ(tool.SelectedRows().size(), 12u);

  tool.ClickBelowLastRow();
  EXPECT_EQ(tool.WaitForSelectedCaption(model::SelectedCaption(0)), model::SelectedCaption(0));
  EXPECT_TRUE(tool.SelectedRows().empty());
}

TEST_F(ToolTest, ExportWritesTheChosenFieldsInListOrder) {
  ASSERT_NO_FATAL_FAILURE(StartWith(ThreeMachines()));
  std::string path = e2e::OutputPath(Name() + ".txt");
  // Selected bottom-up: the file still follows the list's order.
  tool.ClickRow(2);
  tool.Keys({VK_CONTROL, 'A'});
  tool.WaitForSelectedCaption(model::SelectedCaption(3));
  const std::vector<Row> rows = model::Shown(ThreeMachines());
  EXPECT_EQ(ExportFile(path), model::ExportFile(rows));

  // IP and name with nothing between; nothing at all; MAC three times;
  // MAC alone between two empty fields.
  using model::kIpField, model::kMacField, model::kNameField, model::kNoField;
  const model::FieldOrder orders[] = {{kIpField, kNoField, kNameField},
                                      {kNoField, kNoField, kNoField},
                                      {kMacField, kMacField, kMacField},
                                      {kNoField, kMacField, kNoField}};
  for (const model::FieldOrder& o : orders) {
    tool.SetFieldOrder(o.first, o.second, o.third);
    std::string bytes = ExportFile(path);
    EXPECT_EQ(bytes.substr(0, bytes.find(model::kLineEnd) + 2), model::ExportLine(rows[0], o))
        << o.first << o.second << o.third;
  }
}

TEST_F(ToolTest, TypedFieldTextAndEmptySelectionExport) {
  ASSERT_NO_FATAL_FAILURE(StartWith(ThreeMachines()));
  std::string path = e2e::OutputPath(Name() + ".txt");
  // Typing into the first list leaves it without a selection: that field
  // is written as nothing.
  HWND edit = FindWindowExA(tool.Control(e2e::kCombo1Id), nullptr, "Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("IP"));
  SendMessageA(tool.Control(e2e::kCombo1Id), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  tool.ClickRow(0);
  tool.WaitForSelectedCaption(model::SelectedCaption(1));
  const model::FieldOrder typed{-1, model::kDefaultFieldOrder.second, model::kDefaultFieldOrder.third};
  EXPECT_EQ(ExportFile(path), model::ExportLine(model::Shown(ThreeMachines()[0]), typed));

  // No selection: an existing file is truncated to 0 bytes.
  tool.ClickBelowLastRow();
  tool.WaitForSelectedCaption(model::SelectedCaption(0));
  EXPECT_EQ(ExportFile(path), "");
  EXPECT_TRUE(driver::FileExists(path));
}

// The save dialog is the only guard of an existing file: it asks first.
TEST_F(ToolTest, ExportAsksBeforeReplacingAFile) {
  ASSERT_NO_FATAL_FAILURE(StartWith(ThreeMachines()));
  SelectAll();
  std::string path = e2e::OutputPath(Name() + ".txt");
  DeleteFileA(path.c_str());
  EXPECT_TRUE(tool.Export(path));
  EXPECT_EQ(tool.ReplaceQuestions(), 0) << "a new file needs no question";
  EXPECT_TRUE(tool.Export(path));
  EXPECT_EQ(tool.ReplaceQuestions(), 1);
}

TEST_F(ToolTest, CancelledExportWritesNothing) {
  ASSERT_NO_FATAL_FAILURE(StartWith(ThreeMachines()));
  std::string path = e2e::OutputPath(Name() + ".txt");
  DeleteFileA(path.c_str());
  SelectAll();
  EXPECT_TRUE(tool.Export(""));
  EXPECT_FALSE(driver::FileExists(path));
}

TEST_F(ToolTest, UnwritableExportFileIsReported) {
  ASSERT_NO_FATAL_FAILURE(StartWith(ThreeMachines()));
  SelectAll();
  std::string path = e2e::OutputPath(Name() + ".txt");
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  // The save dialog is answered (the overwrite prompt included); the
  // handler's failure box then waits for its OK.
  EXPECT_TRUE(tool.Export(path));
  HWND box = nullptr;
  for (DWORD start = GetTickCount(); GetTickCount() - start < 10000 && !box; Sleep(50))
    for (HWND w : tool.Boxes())
      if (driver::ReadMessageBox(w).text == model::kWriteFailed) box = w;
  CloseHandle(held);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::ReadMessageBox(box).title, model::kInfoTitle);
  driver::PressButton(box, IDOK);
}

TEST_F(ToolTest, MissingDatabaseIsReportedAndBrowseLoadsAnother) {
  e2e::SetImagePath("C:\\" + Name() + "_missing\\server64.exe");
  ASSERT_TRUE(tool.Launch());
  HWND box = tool.WaitForBox(10000);
  ASSERT_NE(box, nullptr);
  driver::MessageBoxContent content = driver::ReadMessageBox(box);
  EXPECT_EQ(content.title, model::kInfoTitle);
  EXPECT_EQ(content.text, model::kOpenFailed);
  driver::PressButton(box, IDOK);
  ASSERT_TRUE(tool.WaitForMain());
  EXPECT_TRUE(tool.Rows().empty());
  EXPECT_EQ(tool.TotalCaption(), "");
  EXPECT_EQ(e2e::ControlText(tool.Control(e2e::kPathEditId)), "C:\\" + Name() + "_missing\\config\\quillnode.db");

  // Cancelling "..." changes nothing; a chosen file replaces the list.
  EXPECT_TRUE(tool.Browse(""));
  EXPECT_EQ(e2e::ControlText(tool.Control(e2e::kPathEditId)), "C:\\" + Name() + "_missing\\config\\quillnode.db");
  std::string other = "C:\\" + Name() + "_other\\quillnode.db";
  e2e::WriteDatabase(other, ThreeMachines());
  EXPECT_TRUE(tool.Browse(other));
  EXPECT_EQ(_stricmp(e2e::ControlText(tool.Control(e2e::kPathEditId)).c_str(), other.c_str()), 0);
  EXPECT_EQ(tool.Rows().size(), 3u);
  EXPECT_EQ(tool.TotalCaption(), model::TotalCaption(3));
}

TEST_F(ToolTest, BrowseReloadsInsteadOfAppending) {
  ASSERT_NO_FATAL_FAILURE(StartWith(ThreeMachines()));
  SelectAll();
  std::string other = "C:\\" + Name() + "_other\\quillnode.db";
  e2e::WriteDatabase(other, {{"ONLY", "MM", "1"}});
  EXPECT_TRUE(tool.Browse(other));
  EXPECT_EQ(tool.Rows(), (std::vector<Row>{{"ONLY", "MM", "1.0.0.0"}}));
  EXPECT_EQ(tool.TotalCaption(), model::TotalCaption(1));
  EXPECT_EQ(tool.SelectedCaption(), "");
}

TEST_F(ToolTest, ImagePathVariants) {
  struct Case {
    const char* imagePath;
    bool expand;
    const char* expected;  // the edit box's text
  } cases[] = {
      {"\"C:\\mle_quoted\\server64.exe\" -s", false, "C:\\mle_quoted\\config\\quillnode.db"},
      {"%SystemDrive%\\mle_expand\\bin\\server64.exe", true, "C:\\mle_expand\\config\\quillnode.db"},
      {"server64.exe", false, ""},
      {"D:\\", false, ""},
  };
  for (const Case& c : cases) {
    e2e::SetImagePath(std::string(c.imagePath), c.expand);
    Tool t;
    ASSERT_TRUE(t.Launch());
    HWND box = t.WaitForBox(10000);  // no such database here
    ASSERT_NE(box, nullptr) << c.imagePath;
    EXPECT_EQ(driver::ReadMessageBox(box).text, model::kOpenFailed);
    driver::PressButton(box, IDOK);
    ASSERT_TRUE(t.WaitForMain());
    EXPECT_EQ(e2e::ControlText(t.Control(e2e::kPathEditId)), c.expected) << c.imagePath;
    DWORD code = 1;
    EXPECT_TRUE(t.PressEscapeAndWait(&code));
    EXPECT_EQ(code, 0u);
  }
}

TEST_F(ToolTest, EscapeEndsTheProgramAfterItsCleanup) {
  std::string mark = e2e::OutputPath(Name() + ".mark");
  DeleteFileA(mark.c_str());
  e2e::SetImagePath(e2e::MakeServer(Name(), ThreeMachines()));
  SetEnvironmentVariableA(kShutdownMark, mark.c_str());
  Tool traced("machine-list-export-traced.exe");
  bool started = traced.Start();
  SetEnvironmentVariableA(kShutdownMark, nullptr);
  ASSERT_TRUE(started);
  DWORD code = 1;
  ASSERT_TRUE(traced.PressEscapeAndWait(&code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(driver::ReadFileBytes(mark), "variables released\r\n");
}

// The shipped program writes no file but the one the user chooses: the
// shutdown note is only in the test copy.
TEST_F(ToolTest, TheShippedProgramLeavesNoShutdownNote) {
  std::string mark = e2e::OutputPath(Name() + ".mark");
  DeleteFileA(mark.c_str());
  SetEnvironmentVariableA(kShutdownMark, mark.c_str());
  ASSERT_NO_FATAL_FAILURE(StartWith(ThreeMachines()));
  SetEnvironmentVariableA(kShutdownMark, nullptr);
  DWORD code = 1;
  ASSERT_TRUE(tool.PressEscapeAndWait(&code));
  EXPECT_EQ(code, 0u);
  EXPECT_FALSE(driver::FileExists(mark));
}

}  // namespace

namespace {

struct Expected {
  int id;
  const char* className;
  RECT rect;  // client coordinates: left, top, right, bottom
  const char* text;
};

TEST_F(ToolTest, MainWindowIsLaidOutAsDesigned) {
  ASSERT_NO_FATAL_FAILURE(StartWith(ThreeMachines()));
  HWND main = tool.main();
  EXPECT_EQ(driver::WindowText(main), model::kTitle);
  const std::string total = model::TotalCaption(3);
  const std::vector<std::string> items = model::FieldItems();
  EXPECT_TRUE(IsCentredWithOuterSize(main, 396, 501));

  const Expected controls[] = {
      {e2e::kPathLabelId, "_VX_Label", {24, 16, 64, 40}, model::kPathLabel},
      {e2e::kPathEditId, "Edit", {64, 17, 336, 37}, nullptr},
      {e2e::kBrowseId, "Button", {335, 16, 365, 36}, model::kBrowseCaption},
      {e2e::kExportId, "Button", {296, 432, 376, 464}, model::kExportCaption},
      {e2e::kListId, "SysListView32", {16, 56, 376, 392}, nullptr},
      {e2e::kTotalLabelId, "_VX_Label", {16, 433, 76, 457}, total.c_str()},
      {e2e::kSelectedLabelId, "_VX_Label", {76, 433, 136, 457}, ""},
      {e2e::kCombo1Id, "ComboBox", {176, 405, 236, 0}, items[model::kDefaultFieldOrder.first].c_str()},
      {e2e::kCombo2Id, "ComboBox", {248, 405, 308, 0}, items[model::kDefaultFieldOrder.second].c_str()},
      {e2e::kCombo3Id, "ComboBox", {320, 405, 380, 0}, items[model::kDefaultFieldOrder.third].c_str()},
  };
  for (const Expected& c : controls) {
    HWND w = tool.Control(c.id);
    ASSERT_NE(w, nullptr) << c.id;
    EXPECT_EQ(_stricmp(driver::ClassName(w).c_str(), c.className), 0) << c.id << " " << driver::ClassName(w);
    EXPECT_TRUE(IsWindowVisible(w)) << c.id;
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, c.rect.left) << c.id;
    EXPECT_EQ(r.top, c.rect.top) << c.id;
    EXPECT_EQ(r.right, c.rect.right) << c.id;
    if (c.rect.bottom) {
      EXPECT_EQ(r.bottom, c.rect.bottom) << c.id;  // a drop-down's closed height is its own
    }
    if (c.text) {
      EXPECT_EQ(e2e::ControlText(w), c.text) << c.id;
    }
  }
  // The two file dialogs put no visible control on the window.
  for (int id : {e2e::kOpenDialogId, e2e::kSaveDialogId}) {
    HWND w = tool.Control(id);
    EXPECT_TRUE(!w || !IsWindowVisible(w)) << id;
  }

  for (int id : {e2e::kCombo1Id, e2e::kCombo2Id, e2e::kCombo3Id}) {
    HWND combo = tool.Control(id);
    ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(items.size()));
    for (size_t i = 0; i < items.size(); i++) {
      // Read as UTF-16: the item texts cross the process boundary intact.
      wchar_t wide[32] = {};
      SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide));
      char text[64] = {};
      WideCharToMultiByte(936, 0, wide, -1, text, sizeof text, nullptr, nullptr);
      EXPECT_EQ(text, items[i]);
    }
  }

  EXPECT_EQ(tool.ColumnTitles(), model::ColumnTitles());
  for (int i = 0; i < model::kFieldCount; i++)
    EXPECT_EQ(SendMessageA(tool.list(), LVM_GETCOLUMNWIDTH, i, 0), model::kFields[i].width) << i;
  LONG style = GetWindowLongA(tool.list(), GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_FALSE(style & LVS_SINGLESEL);
  EXPECT_TRUE(SendMessageA(tool.list(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);

  DWORD code = 1;
  ASSERT_TRUE(tool.PressEscapeAndWait(&code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
