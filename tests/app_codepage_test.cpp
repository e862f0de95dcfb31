// The real tool at the system code page of its prefix (MLE_CODEPAGE, see
// tools/cp-prefix.sh): 936, 1252, or 65001 through the test copy whose
// manifest asks for UTF-8. Every text is read as UTF-16, as the user sees
// it, and must be the same Chinese on every code page; so must the rows,
// the exported bytes and the databases found under Chinese folder names.
// Failures print what the window showed, as UTF-8.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tools/driver/tool_session.h"

using driver::Wide;
using e2e::Tool;
using Texts = std::vector<std::wstring>;

namespace {

Texts WideTexts(const std::vector<std::string>& gbk) {
  Texts out;
  for (const std::string& t : gbk) out.push_back(Wide(t));
  return out;
}

// What the window shows, as UTF-16 and named so that a failure's
// expression is ASCII.
const std::wstring kTitle = Wide(model::kTitle);
const std::wstring kPathLabel = Wide(model::kPathLabel);
const std::wstring kBrowseCaption = Wide(model::kBrowseCaption);
const std::wstring kExportButton = Wide(model::kExportCaption);
const Texts kColumns = WideTexts(model::ColumnTitles());
const Texts kFieldItems = WideTexts(model::FieldItems());
const std::wstring kTotalDemo = Wide(model::TotalCaption(model::kDemoCount));
const std::wstring kSelectedDemo = Wide(model::SelectedCaption(model::kDemoCount));
const std::wstring kInfoTitle = Wide(model::kInfoTitle);
const std::wstring kOpenFailed = Wide(model::kOpenFailed);

const std::wstring kChineseFolder = L"C:\\无盘服务";
const std::wstring kChineseDatabase = kChineseFolder + L"\\config\\quillnode.db";

UINT ExpectedCodePage() {
  const char* v = getenv("MLE_CODEPAGE");
  return v && atoi(v) > 0 ? static_cast<UINT>(atoi(v)) : 936;
}

// At 65001 the tool is the copy whose manifest asks for UTF-8.
bool Utf8Copy() { return ExpectedCodePage() == CP_UTF8; }
const char* ToolProgram() { return Utf8Copy() ? "machine-list-export-utf8.exe" : "machine-list-export.exe"; }

// What the user sees, as UTF-8: one text, several texts one a line, or
// rows one a line with their columns between bars. gtest shows a
// line-by-line diff of the longer ones.
std::string Seen(const std::wstring& text) { return driver::Utf8(text); }
std::string Seen(const Texts& texts) {
  std::string out;
  for (size_t i = 0; i < texts.size(); i++) out += (i ? "\n" : "") + Seen(texts[i]);
  return out;
}
std::string Seen(const std::vector<e2e::RowW>& rows) {
  std::string out;
  for (size_t r = 0; r < rows.size(); r++) {
    out += r ? "\n" : "";
    for (size_t i = 0; i < rows[r].size(); i++) out += (i ? " | " : "") + Seen(rows[r][i]);
  }
  return out;
}
// The demo's rows as the list should show them.
std::vector<e2e::RowW> DemoRows() {
  std::vector<e2e::RowW> rows;
  for (const model::Row& row : model::DemoRows()) rows.push_back(WideTexts(row));
  return rows;
}

std::wstring Lower(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// The names in a folder, to see that a run wrote nothing there.
Texts FolderListing(const std::wstring& folder) {
  Texts names;
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do names.push_back(entry.cFileName);
  while (FindNextFileW(find, &entry));
  FindClose(find);
  return names;
}

class ToolAtCodePage : public ::testing::Test {
 protected:
  ToolAtCodePage() : tool(ToolProgram()) {}
  // The demo server in a folder of plain letters, so that the texts are
  // seen whether or not Chinese paths work.
  void StartWithDemo() {
    e2e::SetImagePath(e2e::MakeServer("mle_cp_demo", model::DemoRecords()));
    ASSERT_TRUE(tool.Start());
  }
  std::wstring Text(int controlId) const { return e2e::ControlTextW(tool.Control(controlId)); }
  void SelectAll() {
    tool.Keys({VK_CONTROL, 'A'});
    tool.WaitForSelectedCaption(driver::Gbk(kSelectedDemo));
  }
  // Exports every row to path (removed first) and answers any box the
  // export shows; false when the save dialog did not close.
  bool ExportAll(const std::wstring& path, std::vector<std::string>* boxes) {
    DeleteFileW(path.c_str());
    SelectAll();
    bool answered = tool.Export(path);
    *boxes = tool.AnswerBoxes();
    return answered;
  }
  void TearDown() override {
    tool.AnswerBoxes();
    DWORD code = 1;
    if (tool.main()) {
      EXPECT_TRUE(tool.PressEscapeAndWait(&code));
      EXPECT_EQ(code, 0u);
    }
  }
  Tool tool;
};

// The prefix gives what the tests below assume: the system code page, and
// UTF-8 to a program whose manifest asks for it.
TEST_F(ToolAtCodePage, ProgramsRunAtThePrefixsCodePage) {
  const UINT expected = ExpectedCodePage();
  EXPECT_EQ(GetACP(), Utf8Copy() ? 1252u : expected);
  driver::DrivenProcess probe;
  ASSERT_TRUE(probe.Start(driver::ProgramInTree(Utf8Copy() ? "codepage_probe-utf8.exe" : "codepage_probe.exe"), ""));
  DWORD code = 0;
  ASSERT_TRUE(probe.WaitForExit(10000, &code));
  EXPECT_EQ(code, expected);
}

TEST_F(ToolAtCodePage, EveryTextReadsAsTheSameChinese) {
  ASSERT_NO_FATAL_FAILURE(StartWithDemo());
  EXPECT_EQ(Seen(driver::WindowTextW(tool.main())), Seen(kTitle));
  EXPECT_EQ(Seen(Text(e2e::kPathLabelId)), Seen(kPathLabel));
  EXPECT_EQ(Seen(Text(e2e::kBrowseId)), Seen(kBrowseCaption));
  EXPECT_EQ(Seen(Text(e2e::kExportId)), Seen(kExportButton));
  EXPECT_EQ(Seen(Text(e2e::kPathEditId)), "C:\\mle_cp_demo\\config\\quillnode.db");
  EXPECT_EQ(Seen(tool.ColumnTitlesW()), Seen(kColumns));
  // Each drop-down holds the four fields and shows the one chosen at start.
  const int combos[] = {e2e::kCombo1Id, e2e::kCombo2Id, e2e::kCombo3Id};
  const int atStart[] = {model::kDefaultFieldOrder.first, model::kDefaultFieldOrder.second,
                         model::kDefaultFieldOrder.third};
  for (int i = 0; i < 3; i++) {
    EXPECT_EQ(Seen(e2e::ComboItemsW(tool.Control(combos[i]))), Seen(kFieldItems)) << "drop-down " << i + 1;
    EXPECT_EQ(Seen(Text(combos[i])), Seen(kFieldItems[atStart[i]])) << "drop-down " << i + 1;
  }
  EXPECT_EQ(Seen(Text(e2e::kTotalLabelId)), Seen(kTotalDemo));
  EXPECT_EQ(Seen(Text(e2e::kSelectedLabelId)), "");
  SelectAll();
  EXPECT_EQ(Seen(Text(e2e::kSelectedLabelId)), Seen(kSelectedDemo));
}

TEST_F(ToolAtCodePage, DemoRowsShowTheirChineseNames) {
  ASSERT_NO_FATAL_FAILURE(StartWithDemo());
  EXPECT_EQ(Seen(tool.RowsW()), Seen(DemoRows()));
}

TEST_F(ToolAtCodePage, ExportWritesTheBytesOf936) {
  ASSERT_NO_FATAL_FAILURE(StartWithDemo());
  const std::wstring path = Wide(e2e::OutputPath("mle_cp_export.txt"));
  std::vector<std::string> boxes;
  ASSERT_TRUE(ExportAll(path, &boxes));
  EXPECT_EQ(Seen(WideTexts(boxes)), "");
  EXPECT_EQ(driver::ReadFileBytes(path), model::DemoExport());
}

TEST_F(ToolAtCodePage, ExportToAChineseFileName) {
  ASSERT_NO_FATAL_FAILURE(StartWithDemo());
  const std::wstring path = Wide(e2e::OutputPath("")) + L"机器列表.txt";
  std::vector<std::string> boxes;
  ASSERT_TRUE(ExportAll(path, &boxes));
  EXPECT_EQ(Seen(WideTexts(boxes)), "");
  EXPECT_EQ(driver::ReadFileBytes(path), model::DemoExport());
}

TEST_F(ToolAtCodePage, MissingDatabaseIsReportedInChinese) {
  e2e::SetImagePath("C:\\mle_cp_missing\\server64.exe");
  ASSERT_TRUE(tool.Launch());
  HWND box = tool.WaitForBox(10000);
  ASSERT_NE(box, nullptr);
  driver::MessageBoxContentW content = driver::ReadMessageBoxW(box);
  EXPECT_EQ(Seen(content.title), Seen(kInfoTitle));
  EXPECT_EQ(Seen(content.text), Seen(kOpenFailed));
  driver::PressButton(box, IDOK);
  ASSERT_TRUE(tool.WaitForMain());
  EXPECT_EQ(Seen(Text(e2e::kPathEditId)), "C:\\mle_cp_missing\\config\\quillnode.db");
}

TEST_F(ToolAtCodePage, ChineseFolderFoundThroughImagePath) {
  e2e::WriteDatabase(kChineseDatabase, model::DemoRecords());
  e2e::SetImagePath(kChineseFolder + L"\\server64.exe");
  std::vector<std::string> boxes;
  ASSERT_TRUE(tool.StartAnswering(&boxes));
  EXPECT_EQ(Seen(WideTexts(boxes)), "");
  EXPECT_EQ(Seen(Text(e2e::kPathEditId)), Seen(kChineseDatabase));
  EXPECT_EQ(Seen(tool.RowsW()), Seen(DemoRows()));
  EXPECT_EQ(Seen(Text(e2e::kTotalLabelId)), Seen(kTotalDemo));
}

TEST_F(ToolAtCodePage, ChineseFolderPickedWithBrowse) {
  e2e::WriteDatabase(kChineseDatabase, model::DemoRecords());
  e2e::SetImagePath(std::nullopt);
  std::vector<std::string> boxes;
  ASSERT_TRUE(tool.StartAnswering(&boxes));  // no database yet
  ASSERT_TRUE(tool.Browse(kChineseDatabase));
  EXPECT_EQ(Seen(WideTexts(tool.AnswerBoxes())), "");
  // The dialog may answer with the file's own spelling of the case.
  EXPECT_EQ(Seen(Lower(Text(e2e::kPathEditId))), Seen(Lower(kChineseDatabase)));
  EXPECT_EQ(Seen(tool.RowsW()), Seen(DemoRows()));
  EXPECT_EQ(Seen(Text(e2e::kTotalLabelId)), Seen(kTotalDemo));
}

// GBK is the tool's text: a path with a character that GBK lacks cannot
// be named, and the tool says so without touching the database.
TEST_F(ToolAtCodePage, APathOutsideGbkIsShownWithAQuestionMarkAndRefused) {
  const std::wstring thai = L"\x0E01";  // not in GBK
  BOOL lossy = FALSE;
  char converted[8] = {};
  WideCharToMultiByte(936, 0, thai.c_str(), 1, converted, sizeof converted, nullptr, &lossy);
  ASSERT_TRUE(lossy);
  ASSERT_STREQ(converted, "?");

  const std::wstring folder = kChineseFolder + thai;
  const std::wstring database = folder + L"\\config\\quillnode.db";
  e2e::WriteDatabase(database, model::DemoRecords());
  // A tool that dropped the character would find this one instead.
  e2e::WriteDatabase(kChineseDatabase, model::DemoRecords());
  const driver::FileSnapshot before = driver::SnapshotOf(database);
  const Texts filesBefore = FolderListing(folder + L"\\config");
  ASSERT_TRUE(before.exists);
  e2e::SetImagePath(folder + L"\\server64.exe");

  std::vector<std::string> boxes;
  ASSERT_TRUE(tool.StartAnswering(&boxes));
  EXPECT_EQ(Seen(WideTexts(boxes)), Seen(kOpenFailed));
  EXPECT_EQ(Seen(Text(e2e::kPathEditId)), Seen(kChineseFolder + L"?\\config\\quillnode.db"));
  EXPECT_TRUE(tool.RowsW().empty());
  EXPECT_EQ(Seen(Text(e2e::kTotalLabelId)), "");
  EXPECT_TRUE(driver::SnapshotOf(database) == before);
  EXPECT_EQ(Seen(FolderListing(folder + L"\\config")), Seen(filesBefore));
}

}  // namespace
