// The program's descriptor and its entry routine. The window host, the
// libraries and the window template join here as they are built; until
// then the start window is unknown and the program ends with the report
// "载入启动窗口失败".
#include "app/program.h"

namespace {

constexpr uint32_t kMainWindow = 0x52010001;

const ProgramHeader kHeader = {
    3,       // RunMode
    0,       // reserved
    90722,   // identifier seed
    0,       // code base
    nullptr, 0,  // ConstArea
    nullptr, 0,  // window templates
    0, nullptr,  // libraries
    0, nullptr, nullptr,  // DLL commands
};

void ReleaseGlobals() {}

}  // namespace

const ProgramHeader& ProgramDescriptor() { return kHeader; }

int ProgramEntry() {
  RtService(6);
  RtService(3, reinterpret_cast<intptr_t>(&ReleaseGlobals));
  RtLoadWindow(kMainWindow);
  RtRunLoop();
  return 0;
}
