// The real tool against a server database that is busy or damaged: a
// second program writes the table the way the server does while the tool
// loads it, a server that keeps its lock makes the load stop within the
// tool's wait budget, and records that cannot be read are reported, not
// dropped.
#include <gtest/gtest.h>

#include <windows.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "tests/db_damage.h"
#include "tests/lock_holder.h"
#include "tools/driver/tool_session.h"

using dbtest::WritesAtOnce;
using e2e::Record;
using e2e::Row;
using e2e::Tool;

namespace {

// server_writer.exe run with its standard output in a file.
class ServerWriter {
 public:
  ServerWriter(const std::string& database, const std::string& args, const std::string& outputPath)
      : output_(outputPath) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileA(output_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = out;
    std::string exe = driver::ProgramInTree("server_writer.exe");
    std::string commandLine = "\"" + exe + "\" \"" + database + "\" " + args;
    started_ = out != INVALID_HANDLE_VALUE && CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                                             0, nullptr, nullptr, &startup, &info_);
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
  }
  ~ServerWriter() {
    if (!started_) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  bool started() const { return started_; }
  // The writer's closing line once it ended, empty if it did not.
  std::string WaitForLine(DWORD timeoutMs) {
    if (!started_ || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return "";
    std::string text = driver::ReadFileBytes(output_);
    return text.substr(0, text.find_first_of("\r\n"));
  }

 private:
  std::string output_;
  PROCESS_INFORMATION info_{};
  bool started_ = false;
};

class BusyServerTest : public testing::Test {
 protected:
  std::string Name() const {
    return std::string("mle_") + testing::UnitTest::GetInstance()->current_test_info()->name();
  }
  std::string DatabaseOf(const std::string& imagePath) const {
    return imagePath.substr(0, imagePath.rfind('\\')) + "\\config\\quillnode.db";
  }
  // Launches the tool and answers the message box it shows while loading;
  // answers the box's text, or "" when the main window came without one.
  std::string LaunchAndAnswerBox(Tool& tool) {
    if (!tool.Launch()) return "<not started>";
    std::string text;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 15000; Sleep(20)) {
      if (HWND box = tool.WaitForBox(0)) {
        driver::MessageBoxContent content = driver::ReadMessageBox(box);
        EXPECT_EQ(content.title, model::kInfoTitle);
        text = content.text;
        driver::PressButton(box, IDOK);
        break;
      }
      if (driver::FindTopLevelWindow(tool.process().id(), "WTWindow", model::kTitle)) break;
    }
    EXPECT_TRUE(tool.WaitForMain());
    return text;
  }
};

// 50 ms of every 100 ms the writer holds its exclusive lock; before the
// busy timeout and the read transactions the tool dropped every record
// whose reads met it, without a word.
TEST_F(BusyServerTest, EveryMachineIsListedWhileTheServerWrites) {
  std::vector<Record> records;
  std::vector<Row> expected;
  for (int i = 1; i <= 3000; i++) {
    std::string n = std::to_string(i);
    records.push_back({"PC" + n, "MAC-" + n, std::to_string(i)});
    expected.push_back({"PC" + n, "MAC-" + n, std::to_string(i % 256) + "." + std::to_string(i / 256) + ".0.0"});
  }
  std::string imagePath = e2e::MakeServer(Name(), records);
  e2e::SetImagePath(imagePath);
  ServerWriter writer(DatabaseOf(imagePath), "50 50 8 2000", e2e::OutputPath(Name() + "_writer.txt"));
  ASSERT_TRUE(writer.started());
  Sleep(300);  // the writer is in its loop before the tool starts

  Tool tool;
  EXPECT_EQ(LaunchAndAnswerBox(tool), "");
  EXPECT_EQ(tool.TotalCaption(), model::TotalCaption(3000));
  EXPECT_EQ(tool.Rows(), expected);
  EXPECT_TRUE(tool.Boxes().empty());

  // Every commit of the writer went through within its busy timeout, and
  // once the list shows, the tool holds no lock at all.
  std::string line = writer.WaitForLine(20000);
  unsigned long commits = 0, busy = 0;
  double worst = 0;
  ASSERT_EQ(sscanf(line.c_str(), "commits=%lu busy=%lu worst_wait_ms=%lf", &commits, &busy, &worst), 3) << line;
  EXPECT_GT(commits, 0u);
  EXPECT_EQ(busy, 0u) << "commits that waited out the writer's busy timeout";
  EXPECT_TRUE(WritesAtOnce(DatabaseOf(imagePath))) << "the idle tool still holds a lock";
  DWORD code = 0;
  EXPECT_TRUE(tool.PressEscapeAndWait(&code));
}

// A server that keeps its lock 600 ms at a time and rests only until the
// tool's next read transaction came in: the load waits at most its budget
// in all, then stops with what it read and says so; the tool stays usable
// and the file is as the server left it. Before the budget each read
// waited anew and such a load went on for minutes.
TEST_F(BusyServerTest, ALoadBesideAServerThatKeepsItsLockStopsAndSaysSo) {
  // Far more than the few read transactions the budget lets in can read.
  constexpr int kMachines = 10000;
  std::vector<Record> records;
  std::vector<Row> expected;
  for (int i = 1; i <= kMachines; i++) {
    std::string n = std::to_string(i);
    records.push_back({"PC" + n, "MAC-" + n, "1"});
    expected.push_back({"PC" + n, "MAC-" + n, "1.0.0.0"});
  }
  std::string imagePath = e2e::MakeServer(Name(), records);
  e2e::SetImagePath(imagePath);
  const std::string database = DatabaseOf(imagePath);
  const std::string before = driver::ReadFileBytes(database);
  ASSERT_FALSE(before.empty());

  Tool tool;
  {
    dbtest::LockHolder server(database, "", 600, /*again=*/true);
    ASSERT_TRUE(server.WaitLocked());
    EXPECT_EQ(LaunchAndAnswerBox(tool), model::kListIncomplete);
    std::vector<Row> rows = tool.Rows();
    printf("the tool read %zu of %d machines\n", rows.size(), kMachines);
    EXPECT_LT(rows.size(), expected.size());
    EXPECT_TRUE(std::equal(rows.begin(), rows.end(), expected.begin())) << "the rows are the table's first ones";
    EXPECT_EQ(tool.TotalCaption(), model::TotalCaption(rows.size()));
    EXPECT_TRUE(tool.Boxes().empty());
    tool.Keys({VK_CONTROL, 'A'});
    const std::string selected = model::SelectedCaption(rows.size());
    EXPECT_EQ(tool.WaitForSelectedCaption(selected), selected);
  }
  EXPECT_TRUE(WritesAtOnce(database)) << "the tool still holds a lock";
  EXPECT_EQ(driver::ReadFileBytes(database), before);
  DWORD code = 1;
  EXPECT_TRUE(tool.PressEscapeAndWait(&code));
  EXPECT_EQ(code, 0u);
}

// A record on a damaged page cannot be read: the rows before it are shown
// and counted, and the user is told the list is incomplete.
TEST_F(BusyServerTest, UnreadableRecordLeavesTheListIncompleteAndSaysSo) {
  std::string imagePath = e2e::MakeServer(Name(), {{"PC01", "AA-01", "1"},
                                                   {"PC02", "AA-02", "2"},
                                                   {"PC03", std::string(10000, 'm'), "3"},
                                                   {"PC04", "AA-04", "4"}});
  // Page 2 holds every row; only PC03's overflow pages follow it.
  ASSERT_TRUE(dbtest::PoisonPagesFrom(DatabaseOf(imagePath), 3));
  e2e::SetImagePath(imagePath);
  Tool tool;
  EXPECT_EQ(LaunchAndAnswerBox(tool), model::kListIncomplete);
  EXPECT_EQ(tool.Rows(), (std::vector<Row>{{"PC01", "AA-01", "1.0.0.0"}, {"PC02", "AA-02", "2.0.0.0"}}));
  EXPECT_EQ(tool.TotalCaption(), model::TotalCaption(2));
  DWORD code = 0;
  EXPECT_TRUE(tool.PressEscapeAndWait(&code));
}

// A table without one of the three fields is not the server's table, with
// rows or without: before, it listed nothing and said "共:0".
TEST_F(BusyServerTest, TableWithoutOneOfTheFieldsCannotBeOpened) {
  struct Case {
    const char* sql;
  } cases[] = {{"ALTER TABLE tPcBaseInfo DROP COLUMN MACHINE"},
               {"ALTER TABLE tPcBaseInfo DROP COLUMN mac"},
               {"ALTER TABLE tPcBaseInfo DROP COLUMN ip"},
               {"DELETE FROM tPcBaseInfo; ALTER TABLE tPcBaseInfo DROP COLUMN mac"}};
  for (const Case& c : cases) {
    std::string imagePath = e2e::MakeServer(Name(), {{"PC01", "AA-01", "1"}});
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(DatabaseOf(imagePath).c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, c.sql, nullptr, nullptr, nullptr), SQLITE_OK) << c.sql;
    sqlite3_close(db);
    e2e::SetImagePath(imagePath);
    Tool tool;
    EXPECT_EQ(LaunchAndAnswerBox(tool), model::kOpenFailed) << c.sql;
    EXPECT_TRUE(tool.Rows().empty()) << c.sql;
    EXPECT_EQ(tool.TotalCaption(), "") << c.sql;
    DWORD code = 0;
    EXPECT_TRUE(tool.PressEscapeAndWait(&code));
  }
}

}  // namespace
