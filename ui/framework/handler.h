// How the unit framework calls an application's event handler.
//
// A handler is a plain function with C linkage that takes its event's
// arguments as machine words, first argument first (32-bit values; an
// 8-byte typed argument takes two words on 32-bit x86 and one on x86-64)
// and returns a HandlerResult:
//
//   extern "C" HandlerResult OnListKeyDown(uint32_t keyCode, uint32_t modifiers);
//
// {returned = 0} means the handler returned nothing (never suppresses any
// default processing); {returned = 1, value} means it returned value, and
// value 0 then asks the caller to suppress its default processing (a key
// swallowed, a message not dispatched).
//
// The framework calls every handler through one pointer type with
// kMaxHandlerWords word parameters. Both i686 cdecl and the x86-64 Windows
// convention let the caller pass more arguments than the callee reads and
// clean them up itself, so a handler declares only what it uses. The
// result is 8 bytes and comes back in registers (EDX:EAX, RAX).
#pragma once

#include <cstdint>

struct HandlerResult {
  int32_t returned;
  int32_t value;
};

constexpr HandlerResult NoValue() { return {0, 0}; }
constexpr HandlerResult ReturnValue(int32_t value) { return {1, value}; }

// FireTypedEvent passes up to 12 typed arguments; on 32-bit x86 each may
// take two words.
inline constexpr int kMaxHandlerWords = 24;

// Calls the handler at address `handler` with words[0 .. count-1] (the
// rest passed as 0).
HandlerResult CallHandler(uintptr_t handler, const uintptr_t* words, int count);
