// RtService and the command-call entries.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "runtime/heap.h"
#include "runtime/runtime_app.h"

namespace {

// Service 2: an array variable whose block is still the constant template
// gets a heap copy of the whole block before it is changed in place.
void MakeArrayWritable(int width, RtArray** var) {
  if (!var || !*var || !RtInConstArea(*var)) return;
  RtArray* array = *var;
  int32_t dims = array->dims < 0 ? 0 : array->dims;
  uint32_t bytes = 4 + 4 * static_cast<uint32_t>(dims) +
                   static_cast<uint32_t>(width) * static_cast<uint32_t>(RtArrayCount(array));
  auto copy = static_cast<RtArray*>(RtAlloc(bytes));
  memcpy(copy, array, bytes);
  *var = copy;
}

// Service 3. A null routine is refused: shutdown would call it.
void RegisterCleanup(void (*routine)()) {
  auto& list = RuntimeState().cleanup;
  if (routine && std::find(list.begin(), list.end(), routine) == list.end())
    list.push_back(routine);
}

}  // namespace

intptr_t RtService(int number, intptr_t a, intptr_t b) {
  switch (number) {
    case kServiceMakeArrayWritable:
      MakeArrayWritable(static_cast<int>(a), reinterpret_cast<RtArray**>(b));
      return 0;
    case kServiceRegisterCleanup:
      RegisterCleanup(reinterpret_cast<void (*)()>(a));
      return 0;
    case kServiceInitialize:
      if (!RtInitialize(true)) FatalReport("载入窗口模板数据段出错!", 0);
      return 0;
    default:  // 0, 1, 4, 5: not used by this program
      return 0;
  }
}

uint64_t RtCallCoreCommand(CommandFn fn, int argc, ArgValue* args) {
  ArgValue result{};
  fn(&result, argc, args);
  return result.v.u64;
}

// The library number travels with the call; the command does not need it.
uint64_t RtCallLibCommand(CommandFn fn, int library, int argc, ArgValue* args) {
  ArgValue result{};
  fn(&result, argc, args);
  return result.v.u64;
}
