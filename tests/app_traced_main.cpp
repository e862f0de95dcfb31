// The tool as the end-to-end tests start it when they watch its end: the
// shipped program with one more shutdown step. When the environment names
// a file (MACHINE_LIST_SHUTDOWN_MARK), the runtime's last interface step
// appends a line there saying whether the program's variables were
// released by then, that is whether its cleanup routine ran before the
// runtime's own shutdown. The shipped program writes no such file.
#include <windows.h>

#include <cstring>

#include "app/globals.h"
#include "app/program.h"
#include "ui/framework/host.h"

namespace {

WindowHost g_host;

void AppendLine(const char* path, const char* line) {
  HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written;
  WriteFile(file, line, static_cast<DWORD>(strlen(line)), &written, nullptr);
  CloseHandle(file);
}

// Runs as the host's shutdown, which the runtime calls after the cleanup
// routines (and also after a fatal report, which skips them).
void MarkShutdown() {
  char path[MAX_PATH];
  DWORD n = GetEnvironmentVariableA("MACHINE_LIST_SHUTDOWN_MARK", path, sizeof path);
  if (n > 0 && n < sizeof path) {
    const bool released = !SelectedRows && !DatabasePath && !MachineTable && !MachineDb &&
                          !CurrentMachine && !Machines;
    AppendLine(path, released ? "variables released\r\n" : "variables kept\r\n");
  }
  UnitFrameworkHost().shutdown();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  g_host = UnitFrameworkHost();
  g_host.shutdown = MarkShutdown;
  return RtRunProgram(instance, &ProgramDescriptor(), &g_host, ProgramEntry);
}
