// Initial start-up, service and exit entries (to be completed: the message
// loop, idle processing, the hidden owner window and the full shutdown).
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "runtime/heap.h"
#include "runtime/runtime_app.h"

intptr_t RtService(int number, intptr_t a, intptr_t b) {
  auto& app = RuntimeState();
  switch (number) {
    case 2: {  // make the array variable's block writable
      auto var = reinterpret_cast<RtArray**>(b);
      RtArray* arr = *var;
      if (arr && RtInConstArea(arr)) {
        int32_t dims = arr->dims < 0 ? 0 : arr->dims;
        uint32_t bytes = 4 + 4 * dims + static_cast<uint32_t>(a) * RtArrayCount(arr);
        auto copy = static_cast<RtArray*>(RtAlloc(bytes));
        memcpy(copy, arr, bytes);
        *var = copy;
      }
      return 0;
    }
    case 3: {
      auto routine = reinterpret_cast<void (*)()>(a);
      if (std::find(app.cleanup.begin(), app.cleanup.end(), routine) == app.cleanup.end())
        app.cleanup.push_back(routine);
      return 0;
    }
    default:
      return 0;
  }
}

void RtExit(int code) {
  auto& app = RuntimeState();
  app.eventSuppressCount++;
  app.shuttingDown = true;
  auto routines = app.cleanup;
  app.cleanup.clear();
  for (auto r : routines) r();
  ExitProcess(static_cast<UINT>(code));
}
