// Event delivery: from a (window, unit, event index) to the handler that
// the template binds, with the arguments in order.
//
// Nothing is delivered while EventSuppressCount() is 1 or more (a window
// being created, a unit re-created in place, a fatal report, shutdown).
#pragma once

#include <cstdint>
#include <initializer_list>

#include "runtime/runtime.h"

// One typed argument of FireTypedEvent: 16 bytes.
struct TypedArg {
  uint64_t value;
  uint32_t type;   // TypeCode
  uint32_t flags;  // bit 0: value holds a reference; bit 1: pass all 8 bytes
};
static_assert(sizeof(TypedArg) == 16);

struct TypedEventRequest {
  uint32_t windowId;
  uint32_t unitId;  // 0 = the window's own record
  int32_t event;
  int32_t argc;     // 0 to 12
  TypedArg args[12];
  int32_t answered;  // out: 1 when the handler returned a value
  int32_t reserved;
  int64_t answer;    // out
};

// RuntimeNotify 2008 / 2031: 1 when a handler ran, else 0. Unknown windows
// and units, and types that raise no events, are fatal.
int FireEvent(EventRequest& request);
int FireTypedEvent(TypedEventRequest& request);

// What a unit learns from raising one of its events.
struct EventOutcome {
  bool ran = false;       // a handler was called
  bool answered = false;  // it returned a value
  int32_t answer = 0;
  // A returned 0 asks the caller to skip its default processing.
  bool Suppresses() const { return answered && answer == 0; }
};

// Raises an event of the unit (unitId 0 = the window) with 32-bit arguments.
EventOutcome RaiseEvent(uint32_t windowId, uint32_t unitId, int event,
                        std::initializer_list<uint32_t> args = {});

// SuppressEvents / ResumeEvents (never below 0).
void SuppressEvents();
void ResumeEvents();

// Suppresses events for its lifetime.
class EventSuppression {
 public:
  EventSuppression() { SuppressEvents(); }
  ~EventSuppression() { ResumeEvents(); }
  EventSuppression(const EventSuppression&) = delete;
  EventSuppression& operator=(const EventSuppression&) = delete;
};

// The event being delivered (0 when none): the compiled program's
// CurrentEventWindow and CurrentEventUnit.
uint32_t CurrentEventWindow();
uint32_t CurrentEventUnit();
