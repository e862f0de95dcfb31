#include "app/runtime_calls.h"

#include <algorithm>
#include <vector>

#include "commands/core_commands.h"
#include "ui/label/label_unit.h"
#include "ui/listview/listview_unit.h"

namespace {

// A command may write to its arguments, so it gets a copy: on the stack,
// since the list commands run once per row of the list. `head`, when
// given, goes before args.
template <class Call>
uint64_t WithArgumentCopy(const ArgValue* head, std::initializer_list<ArgValue> args, Call call) {
  constexpr size_t kOnStack = 8;
  const size_t count = args.size() + (head ? 1 : 0);
  ArgValue onStack[kOnStack];
  std::vector<ArgValue> onHeap(count > kOnStack ? count : 0);
  ArgValue* list = count > kOnStack ? onHeap.data() : onStack;
  if (head) list[0] = *head;
  std::copy(args.begin(), args.end(), list + (head ? 1 : 0));
  return call(static_cast<int>(count), list);
}

}  // namespace

uint64_t CallCore(CommandFn fn, std::initializer_list<ArgValue> args) {
  return WithArgumentCopy(nullptr, args, [fn](int argc, ArgValue* argv) { return RtCallCoreCommand(fn, argc, argv); });
}

uint64_t CallLib(CommandFn fn, int library, std::initializer_list<ArgValue> args) {
  return WithArgumentCopy(nullptr, args, [fn, library](int argc, ArgValue* argv) {
    return RtCallLibCommand(fn, library, argc, argv);
  });
}

uint64_t CallMachineList(CommandFn fn, std::initializer_list<ArgValue> args) {
  const ArgValue list = UnitArg(kMachineListId, kListViewTypeCode);
  return WithArgumentCopy(&list, args, [fn](int argc, ArgValue* argv) {
    return RtCallLibCommand(fn, kExtendedUiLibraryNumber, argc, argv);
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

void WriteCountCaption(uint32_t label, const char* prefix, int32_t count) {
  char* number = AsText(CallCore(ValueToText, {IntArg(count)}));
  char* caption = RtConcat({prefix, number});
  WriteTextProperty(label, kLabelCaption, caption);
  RtFree(caption);
  RtFree(number);
}

void ShowInfo(const char* text) { CallCore(InfoBox, {TextArg(text), IntArg(0), OmittedArg(), OmittedArg()}); }
