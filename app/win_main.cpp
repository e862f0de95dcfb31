// Windows entry point: hands the process to the runtime.
#include <windows.h>

#include "app/program.h"
#include "ui/framework/host.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return RtRunProgram(instance, &ProgramDescriptor(), &UnitFrameworkHost(), ProgramEntry);
}
