// Thin helpers over the runtime entries, so that handlers read as the steps
// they are. Every text a call returns is a new block owned by the caller.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "app/main_window_template.h"
#include "runtime/heap.h"
#include "runtime/runtime.h"
#include "runtime/value.h"

uint64_t CallCore(CommandFn fn, std::initializer_list<ArgValue> args);
uint64_t CallLib(CommandFn fn, int library, std::initializer_list<ArgValue> args);
// A list view command on 超级列表框1: the list goes first, then args.
uint64_t CallMachineList(CommandFn fn, std::initializer_list<ArgValue> args = {});

inline char* AsText(uint64_t v) { return reinterpret_cast<char*>(static_cast<uintptr_t>(v)); }
inline RtArray* AsArray(uint64_t v) { return reinterpret_cast<RtArray*>(static_cast<uintptr_t>(v)); }
inline int32_t AsInt(uint64_t v) { return static_cast<int32_t>(v); }

// Unit properties of the main window's units.
char* ReadTextProperty(uint32_t unit, int index);
int32_t ReadIntProperty(uint32_t unit, int index);
void WriteTextProperty(uint32_t unit, int index, const char* text);
void WriteIntProperty(uint32_t unit, int index, int32_t value);
// A label's caption: prefix + count in decimal ("共:" 3 reads 共:3).
void WriteCountCaption(uint32_t label, const char* prefix, int32_t count);

// The information box with its default title, one OK button, no owner.
void ShowInfo(const char* text);

// Replaces a variable's block: the new value is made first, then the old
// block is freed, then the new pointer is stored.
template <class T>
void Assign(T*& var, T* value) {
  T* old = var;
  var = value;
  RtFree(old);
}

// A unit of the main window as a command's first argument.
inline ArgValue UnitArg(uint32_t unit, uint32_t type) { return UnitRef(kMainWindowId, unit, type); }
