// Shows what a user would see, without a user: starts the tool (the server
// database and registry entry are already in place), selects every row,
// exports them in the default field order through the real save dialog,
// then waits until the caller has taken its screenshot and closes the tool.
//
//   demo_driver EXPORT-PATH READY-FILE DONE-FILE [PROGRAM]
//
// PROGRAM: the tool's file in the tree's bin folder (machine-list-export.exe
// unless given; the test copy that asks for UTF-8 as its code page, say).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/driver/tool_session.h"

int main() {
  const std::vector<std::string> args = driver::Arguments();
  if (args.size() != 3 && args.size() != 4) {
    fprintf(stderr, "usage: demo_driver EXPORT-PATH READY-FILE DONE-FILE [PROGRAM]\n");
    return 2;
  }
  const std::string program = args.size() == 4 ? args[3] : "machine-list-export.exe";
  e2e::Tool tool(program.c_str());
  if (!tool.Start()) {
    fprintf(stderr, "demo_driver: the tool's window did not show\n");
    return 1;
  }
  size_t rows = tool.Rows().size();
  tool.Keys({VK_CONTROL, 'A'});
  tool.WaitForSelectedCaption(model::SelectedCaption(rows));
  bool exported = tool.Export(args[0]);
  printf("demo_driver: %zu rows listed, %s\n", rows, exported ? "exported" : "export failed");
  fflush(stdout);

  HANDLE ready = CreateFileW(driver::Wide(args[1]).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(ready);
  for (DWORD start = GetTickCount(); GetTickCount() - start < 60000; Sleep(100))
    if (driver::FileExists(args[2])) break;

  DWORD code = 1;
  if (!tool.PressEscapeAndWait(&code)) return 1;
  return exported ? static_cast<int>(code) : 1;
}
