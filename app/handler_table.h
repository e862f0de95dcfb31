// The application's event handlers and the table through which the window
// template reaches them.
//
// The template stores each handler as an offset from the program's code
// base. The code base is the address of HandlerTable: one 8-byte jump stub
// per handler, so "code base + offset" is a callable address and the
// offsets are compile-time constants. Calling conventions: ui/framework/handler.h.
//
// PROGRAM_HANDLERS is the one list of the handlers, in table order: their
// declarations, their offsets (k<Name>Offset) and their stubs
// (handler_table.cpp) all follow from it. A new handler is one line here,
// its definition, and its binding in the window template.
#pragma once

#include <cstdint>

#include "ui/framework/handler.h"

// HANDLER(name, parameter list), each with the event bound to it.
#define PROGRAM_HANDLERS(HANDLER)                                                  \
  HANDLER(OnMainWindowCreated, ())                            /* window event 0 */ \
  HANDLER(OnListClicked, ())                                  /* list view event 4 */ \
  HANDLER(OnListKeyDown, (uint32_t keyCode, uint32_t modifiers)) /* list view event -9 */ \
  HANDLER(OnExportClicked, ())                                /* 按钮2 event 0 */ \
  HANDLER(OnBrowseClicked, ())                                /* 按钮1 event 0 */

extern "C" {
#define PROGRAM_HANDLER_DECLARATION(name, parameters) HandlerResult name parameters;
PROGRAM_HANDLERS(PROGRAM_HANDLER_DECLARATION)
#undef PROGRAM_HANDLER_DECLARATION

// First stub of the table (emitted in handler_table.cpp).
extern const unsigned char HandlerTable[];
}

inline constexpr uint32_t kHandlerStubSize = 8;

// Each handler's place in the table.
enum class HandlerSlot : uint32_t {
#define PROGRAM_HANDLER_SLOT(name, parameters) name,
  PROGRAM_HANDLERS(PROGRAM_HANDLER_SLOT)
#undef PROGRAM_HANDLER_SLOT
  kCount
};

// Offsets of the handlers' stubs.
enum : uint32_t {
#define PROGRAM_HANDLER_OFFSET(name, parameters) \
  k##name##Offset = static_cast<uint32_t>(HandlerSlot::name) * kHandlerStubSize,
  PROGRAM_HANDLERS(PROGRAM_HANDLER_OFFSET)
#undef PROGRAM_HANDLER_OFFSET
  kHandlerTableSize = static_cast<uint32_t>(HandlerSlot::kCount) * kHandlerStubSize,
};

// The code base for ProgramHeader.
inline uintptr_t ProgramCodeBase() { return reinterpret_cast<uintptr_t>(HandlerTable); }
