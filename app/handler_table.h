// The application's event handlers and the table through which the window
// template reaches them.
//
// The template stores each handler as an offset from the program's code
// base. The code base is the address of HandlerTable: one 8-byte jump stub
// per handler, so "code base + offset" is a callable address and the
// offsets are compile-time constants. Calling conventions: ui/framework/handler.h.
#pragma once

#include <cstdint>

#include "ui/framework/handler.h"

extern "C" {
HandlerResult OnMainWindowCreated();                             // window event 0
HandlerResult OnListClicked();                                   // list view event 4
HandlerResult OnListKeyDown(uint32_t keyCode, uint32_t modifiers);  // list view event -9
HandlerResult OnExportClicked();                                 // 按钮2 event 0
HandlerResult OnBrowseClicked();                                 // 按钮1 event 0

// First stub of the table (emitted in handler_table.cpp).
extern const unsigned char HandlerTable[];
}

inline constexpr uint32_t kHandlerStubSize = 8;

// Offsets of the handlers' stubs, in table order.
enum : uint32_t {
  kOnMainWindowCreatedOffset = 0 * kHandlerStubSize,
  kOnListClickedOffset = 1 * kHandlerStubSize,
  kOnListKeyDownOffset = 2 * kHandlerStubSize,
  kOnExportClickedOffset = 3 * kHandlerStubSize,
  kOnBrowseClickedOffset = 4 * kHandlerStubSize,
  kHandlerTableSize = 5 * kHandlerStubSize,
};

// The code base for ProgramHeader.
inline uintptr_t ProgramCodeBase() { return reinterpret_cast<uintptr_t>(HandlerTable); }
