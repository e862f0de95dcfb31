// Shows what a user would see, without a user: starts the tool (the server
// database and registry entry are already in place), selects every row,
// exports them in the default field order through the real save dialog,
// then waits until the caller has taken its screenshot and closes the tool.
//
//   demo_driver EXPORT-PATH READY-FILE DONE-FILE
#include <windows.h>

#include <cstdio>
#include <string>

#include "tools/driver/tool_session.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: demo_driver EXPORT-PATH READY-FILE DONE-FILE\n");
    return 2;
  }
  e2e::Tool tool;
  if (!tool.Start()) {
    fprintf(stderr, "demo_driver: the tool's window did not show\n");
    return 1;
  }
  size_t rows = tool.Rows().size();
  tool.Keys({VK_CONTROL, 'A'});
  tool.WaitForSelectedCaption("选中:" + std::to_string(rows));
  bool exported = tool.Export(argv[1]);
  printf("demo_driver: %zu rows listed, %s\n", rows, exported ? "exported" : "export failed");
  fflush(stdout);

  HANDLE ready = CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(ready);
  for (DWORD start = GetTickCount(); GetTickCount() - start < 60000; Sleep(100))
    if (driver::FileExists(argv[3])) break;

  DWORD code = 1;
  if (!tool.PressEscapeAndWait(&code)) return 1;
  return exported ? static_cast<int>(code) : 1;
}
