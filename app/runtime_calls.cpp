#include "app/runtime_calls.h"

#include <algorithm>
#include <vector>

#include "app/main_window_template.h"

namespace {

// A command may write to its arguments, so it gets a copy: on the stack,
// since the list commands run once per row of the list.
template <class Call>
uint64_t WithArgumentCopy(std::initializer_list<ArgValue> args, Call call) {
  constexpr size_t kOnStack = 8;
  if (args.size() <= kOnStack) {
    ArgValue list[kOnStack];
    std::copy(args.begin(), args.end(), list);
    return call(static_cast<int>(args.size()), list);
  }
  std::vector<ArgValue> list(args);
  return call(static_cast<int>(list.size()), list.data());
}

}  // namespace

uint64_t CallCore(CommandFn fn, std::initializer_list<ArgValue> args) {
  return WithArgumentCopy(args, [fn](int argc, ArgValue* argv) { return RtCallCoreCommand(fn, argc, argv); });
}

uint64_t CallLib(CommandFn fn, int library, std::initializer_list<ArgValue> args) {
  return WithArgumentCopy(args, [fn, library](int argc, ArgValue* argv) {
    return RtCallLibCommand(fn, library, argc, argv);
  });
}

char* ReadTextProperty(uint32_t unit, int index) {
  return AsText(RtReadProperty(kMainWindowId, unit, index, -1));
}

int32_t ReadIntProperty(uint32_t unit, int index) {
  return AsInt(RtReadProperty(kMainWindowId, unit, index, -1));
}

void WriteTextProperty(uint32_t unit, int index, const char* text) {
  uint64_t v = reinterpret_cast<uintptr_t>(text);
  RtWriteProperty(kMainWindowId, unit, index, -1, static_cast<uint32_t>(v), static_cast<uint32_t>(v >> 32));
}

void WriteIntProperty(uint32_t unit, int index, int32_t value) {
  RtWriteProperty(kMainWindowId, unit, index, -1, static_cast<uint32_t>(value), 0);
}
