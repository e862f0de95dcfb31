#include "app/runtime_calls.h"

#include <vector>

#include "app/main_window_template.h"

uint64_t CallCore(CommandFn fn, std::initializer_list<ArgValue> args) {
  std::vector<ArgValue> list(args);
  return RtCallCoreCommand(fn, static_cast<int>(list.size()), list.data());
}

uint64_t CallLib(CommandFn fn, int library, std::initializer_list<ArgValue> args) {
  std::vector<ArgValue> list(args);
  return RtCallLibCommand(fn, library, static_cast<int>(list.size()), list.data());
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
