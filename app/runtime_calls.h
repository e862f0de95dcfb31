// Thin helpers over the runtime entries, so that handlers read as the steps
// they are. Every text a call returns is a new block owned by the caller.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "runtime/heap.h"
#include "runtime/runtime.h"
#include "runtime/value.h"
#include "app/main_window_template.h"

// Property numbers the application uses.
inline constexpr int kPropEditContent = 8;
inline constexpr int kPropLabelCaption = 8;
inline constexpr int kPropComboSelection = 19;
inline constexpr int kPropDialogFileName = 10;
inline constexpr int kPropDialogFilter = 11;

// Library numbers of the program's library list.
inline constexpr int kCoreLibrary = 0;
inline constexpr int kDatabaseLibrary = 1;
inline constexpr int kExtendedUiLibrary = 2;

uint64_t CallCore(CommandFn fn, std::initializer_list<ArgValue> args);
uint64_t CallLib(CommandFn fn, int library, std::initializer_list<ArgValue> args);

inline char* AsText(uint64_t v) { return reinterpret_cast<char*>(static_cast<uintptr_t>(v)); }
inline RtArray* AsArray(uint64_t v) { return reinterpret_cast<RtArray*>(static_cast<uintptr_t>(v)); }
inline int32_t AsInt(uint64_t v) { return static_cast<int32_t>(v); }

// Unit properties of the main window's units.
char* ReadTextProperty(uint32_t unit, int index);
int32_t ReadIntProperty(uint32_t unit, int index);
void WriteTextProperty(uint32_t unit, int index, const char* text);
void WriteIntProperty(uint32_t unit, int index, int32_t value);

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
