// The real tool against the service's "ImagePath" values that a broken or
// unusual installation leaves. Each gives a database path or the message,
// and a program that still loads a file through "..." and ends normally.
#include <gtest/gtest.h>

#include <functional>

#include "tests/app_hostile_run.h"

using e2e::Row;
using hostile::Listed;
using hostile::Refused;
using hostile::Seen;

namespace {

const std::vector<e2e::Record> kMachines = {{"PC01", "AA", "1"}, {"PC02", "BB", "2"}};
const std::vector<Row> kRows = {{"PC01", "AA", "1.0.0.0"}, {"PC02", "BB", "2.0.0.0"}};

struct RegistryCase {
  const char* name;
  std::function<void()> set;  // writes (or removes) the value
  std::string path;           // the path box's text
  Seen expected;
};

void Text(const std::string& value, bool expand = false) { e2e::SetImagePath(value, expand); }

TEST(HostileRegistry, EveryValueGivesAPathOrTheMessageAndAUsableProgram) {
  e2e::WriteDatabase("C:\\mle_reg_server\\config\\quillnode.db", kMachines);
  const std::string chosen = "C:\\mle_reg_chosen\\quillnode.db";
  e2e::WriteDatabase(chosen, {{"ONLY", "MM", "7"}});
  std::string longValue = "C:\\mle_reg_server\\";
  while (longValue.size() < 10000 - 13) longValue += "sub\\";
  longValue.resize(10000 - 13);
  longValue += "\\server64.exe";
  ASSERT_EQ(longValue.size(), 10000u);

  const RegistryCase cases[] = {
      {"no service key", [] { e2e::SetImagePath(std::nullopt); }, "", Refused()},
      {"REG_DWORD",
       [] {
         DWORD number = 0x12345678;
         e2e::SetImagePathData(REG_DWORD, &number, sizeof number);
       },
       "", Refused()},
      {"empty text", [] { Text(""); }, "", Refused()},
      {"10,000 characters", [&] { Text(longValue); }, "C:\\mle_reg_server\\config\\quillnode.db", Listed(kRows)},
      {"no backslash", [] { Text("server64.exe"); }, "", Refused()},
      {"quoted, with arguments", [] { Text("\"C:\\mle_reg_server\\server64.exe\" -service -port 8000"); },
       "C:\\mle_reg_server\\config\\quillnode.db", Listed(kRows)},
      {"expandable, defined variable", [] { Text("%SystemDrive%\\mle_reg_server\\bin\\server64.exe", true); },
       "C:\\mle_reg_server\\config\\quillnode.db", Listed(kRows)},
      {"expandable, undefined variable", [] { Text("%MLE_NO_SUCH_VARIABLE%\\Server\\server64.exe", true); },
       "%MLE_NO_SUCH_VARIABLE%\\Server\\config\\quillnode.db", Refused()},
  };
  for (const RegistryCase& c : cases) {
    SCOPED_TRACE(c.name);
    c.set();
    e2e::Tool tool;
    Seen seen;
    ASSERT_TRUE(tool.StartAnswering(&seen.messages));
    seen.rows = tool.Rows();
    seen.total = tool.TotalCaption();
    EXPECT_EQ(seen, c.expected);
    EXPECT_EQ(_stricmp(e2e::ControlText(tool.Control(e2e::kPathEditId)).c_str(), c.path.c_str()), 0)
        << e2e::ControlText(tool.Control(e2e::kPathEditId));

    // Still usable: "..." loads another file, and Escape ends the run.
    EXPECT_TRUE(tool.Browse(chosen));
    EXPECT_EQ(tool.AnswerBoxes(), std::vector<std::string>{});
    EXPECT_EQ(tool.Rows(), (std::vector<Row>{{"ONLY", "MM", "7.0.0.0"}}));
    DWORD code = 1;
    EXPECT_TRUE(tool.PressEscapeAndWait(&code));
    EXPECT_EQ(code, 0u);
  }
}

}  // namespace
