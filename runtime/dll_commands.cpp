// Declared DLL commands: resolved on their first call and kept. This
// program declares none; the tables and the resolution with its two fatal
// reports are kept so that a program that does declare some behaves.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "runtime/gbk_boundary.h"
#include "runtime/heap.h"
#include "runtime/runtime_app.h"

namespace {

// Searched in this order for a command that names no library file.
constexpr const char* kSystemLibraries[] = {"Kernel32.dll", "Gdi32.dll",  "User32.dll",
                                            "Advapi32.dll", "Mpr.dll",    "Shell32.dll"};

// "#12" names ordinal 12; anything else is an exported name.
FARPROC FindExport(HMODULE module, const std::string& name) {
  if (name.size() > 1 && name[0] == '#') {
    unsigned long ordinal = strtoul(name.c_str() + 1, nullptr, 10);
    return GetProcAddress(module, reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(ordinal & 0xFFFF)));
  }
  return GetProcAddress(module, name.c_str());
}

[[noreturn]] void ReportMissing(const DllCommand& command) {
  char message[600];
  if (command.fileName.empty())
    snprintf(message, sizeof message, "无法找到指定DLL库文件中的输出命令“%s”",
             command.commandName.c_str());
  else
    snprintf(message, sizeof message, "无法找到指定DLL库文件“%s”中的输出命令“%s”",
             command.fileName.c_str(), command.commandName.c_str());
  FatalReport(message, 0);
}

void Resolve(DllCommand& command) {
  if (!command.fileName.empty()) {
    HMODULE module = LoadLibraryGbk(command.fileName.c_str());
    FARPROC address = module ? FindExport(module, command.commandName) : nullptr;
    if (!address) {
      if (module) FreeLibrary(module);
      ReportMissing(command);
    }
    command.module = module;
    command.address = address;
    return;
  }
  for (const char* name : kSystemLibraries) {
    HMODULE module = LoadLibraryGbk(name);
    if (!module) continue;
    FARPROC address = FindExport(module, command.commandName);
    if (address) {
      command.module = module;
      command.address = address;
      return;
    }
    FreeLibrary(module);
  }
  ReportMissing(command);
}

// One machine word per argument: integers and logicals by value, texts and
// other blocks by address. Wider kinds are not passed by this runtime.
intptr_t Word(const ArgValue& a) {
  switch (a.type) {
    case kTypeByte: return a.v.u8;
    case kTypeShort: return a.v.i16;
    case kTypeInt: case kTypeBool: case kTypeSubPointer: return a.v.i32;
    default: return reinterpret_cast<intptr_t>(a.v.ptr);
  }
}

// Calls a WINAPI routine with exactly sizeof...(I) word arguments: the
// callee pops them, so the count must match its declaration.
template <size_t... I>
intptr_t CallWith(void* raw, const intptr_t* w, std::index_sequence<I...>) {
  using Fn = intptr_t(WINAPI*)(decltype(I, intptr_t{})...);
  return reinterpret_cast<Fn>(raw)(w[I]...);
}

}  // namespace

void LoadDllCommandTables(const ProgramHeader* header) {
  auto& commands = RuntimeState().dllCommands;
  ReleaseDllCommands();
  if (!header || header->dllCommandCount == 0) return;
  commands.resize(header->dllCommandCount);
  for (uint32_t i = 0; i < header->dllCommandCount; i++) {
    const char* file = header->dllFileNames ? header->dllFileNames[i] : nullptr;
    const char* name = header->dllCommandNames ? header->dllCommandNames[i] : nullptr;
    commands[i].fileName = file ? file : "";
    commands[i].commandName = name ? name : "";
  }
}

void ReleaseDllCommands() {
  auto& commands = RuntimeState().dllCommands;
  for (auto& command : commands)
    if (command.module) FreeLibrary(command.module);
  commands.clear();
}

uint64_t RtCallDllCommand(int number, int argc, ArgValue* args) {
  auto& commands = RuntimeState().dllCommands;
  if (number < 0 || number >= static_cast<int>(commands.size()) || argc < 0 || argc > 8) return 0;
  DllCommand& command = commands[number];
  if (!command.address) Resolve(command);
  intptr_t w[8] = {};
  for (int i = 0; i < argc; i++) w[i] = Word(args[i]);
  void* raw = reinterpret_cast<void*>(command.address);
  intptr_t result = 0;
  switch (argc) {
    case 0: result = CallWith(raw, w, std::make_index_sequence<0>{}); break;
    case 1: result = CallWith(raw, w, std::make_index_sequence<1>{}); break;
    case 2: result = CallWith(raw, w, std::make_index_sequence<2>{}); break;
    case 3: result = CallWith(raw, w, std::make_index_sequence<3>{}); break;
    case 4: result = CallWith(raw, w, std::make_index_sequence<4>{}); break;
    case 5: result = CallWith(raw, w, std::make_index_sequence<5>{}); break;
    case 6: result = CallWith(raw, w, std::make_index_sequence<6>{}); break;
    case 7: result = CallWith(raw, w, std::make_index_sequence<7>{}); break;
    default: result = CallWith(raw, w, std::make_index_sequence<8>{}); break;
  }
  return static_cast<uint64_t>(result);
}
