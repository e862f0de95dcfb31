// FireEvent and FireTypedEvent: binding lookup through event-source links,
// the current event source, and the handler call.
#include "ui/framework/events.h"

#include <algorithm>

#include "ui/framework/handler.h"
#include "ui/framework/unit_types.h"
#include "ui/framework/window_list.h"

namespace {

uint32_t g_eventWindow;
uint32_t g_eventUnit;

// The unit whose event is found, and the handler bound to it (0 = none).
struct Binding {
  uint32_t unitId = 0;
  uintptr_t handler = 0;
};

// Follows the event-source link while it names another record of the same
// type; the last record reached supplies the bindings. A link cycle ends
// after as many steps as there are records.
const UnitRecord* BindingSource(const LoadedWindow& win, const UnitRecord* rec) {
  for (size_t steps = 0; rec->eventSource != 0 && steps < win.tmpl->Count(); ++steps) {
    const UnitRecord* next = win.Record(rec->eventSource);
    if (!next || next == rec || next->type != rec->type || next->isMenuItem) break;
    rec = next;
  }
  return rec;
}

Binding FindBinding(uint32_t windowId, uint32_t unitId, int event) {
  LoadedWindow* win = FindLoadedWindow(windowId);
  if (!win) FatalReport("未找到引发事件的窗口", 0);
  const UnitRecord* rec = win->Record(unitId);
  if (!rec) FatalReport("未找到引发事件的窗口组件", 0);
  Binding found;
  found.unitId = rec->id;
  if (rec->isMenuItem) {
    found.handler = rec->menu.binding.handler;
    return found;
  }
  const UnitTypeInfo* type = TypeInfoFor(rec->type);
  if (!type || !(type->flags & (kTypeFlagEvents | kTypeFlagEvents2)))
    FatalReport("引发事件的窗口组件无效", 0);
  const UnitRecord* source = BindingSource(*win, rec);
  auto it = std::find_if(source->bindings.begin(), source->bindings.end(),
                         [event](const EventBinding& b) { return b.event == event; });
  if (it != source->bindings.end()) found.handler = it->handler;
  return found;
}

// Calls the handler as the current event source. A handler may raise
// events itself, so the previous source is restored afterwards rather than
// simply cleared.
HandlerResult Deliver(uint32_t windowId, const Binding& b, const uintptr_t* words, int count) {
  uint32_t savedWindow = g_eventWindow, savedUnit = g_eventUnit;
  g_eventWindow = windowId;
  g_eventUnit = b.unitId;
  HandlerResult r = CallHandler(b.handler, words, count);
  g_eventWindow = savedWindow;
  g_eventUnit = savedUnit;
  return r;
}

// Appends one typed argument as handler words: 8-byte kinds take all 8
// bytes (two words on 32-bit x86), bytes are zero- and short integers
// sign-extended, references and everything else take their low word.
void AppendTypedArg(const TypedArg& a, uintptr_t* words, int& n) {
  bool wide = (a.flags & 2) || a.type == kTypeDateTime || a.type == kTypeLong ||
              a.type == kTypeDouble || a.type == kTypeReserved8 || a.type == kMenuTypeCode;
  if (a.flags & 1) {
    words[n++] = static_cast<uintptr_t>(a.value);  // the reference, pointer-sized
  } else if (wide) {
    if (sizeof(uintptr_t) == 8) {
      words[n++] = static_cast<uintptr_t>(a.value);
    } else {
      words[n++] = static_cast<uint32_t>(a.value);
      words[n++] = static_cast<uint32_t>(a.value >> 32);
    }
  } else if (a.type == kTypeByte) {
    words[n++] = static_cast<uint8_t>(a.value);
  } else if (a.type == kTypeShort) {
    words[n++] = static_cast<uintptr_t>(static_cast<intptr_t>(static_cast<int16_t>(a.value)));
  } else {
    words[n++] = static_cast<uint32_t>(a.value);
  }
}

}  // namespace

int FireEvent(EventRequest& request) {
  if (EventSuppressCount() >= 1) return 0;
  Binding b = FindBinding(request.windowId, request.unitId, request.event);
  if (!b.handler) return 0;
  uintptr_t words[5] = {};
  int count = std::clamp(request.argc, 0, 5);
  for (int i = 0; i < count; ++i) words[i] = request.args[i];
  HandlerResult r = Deliver(request.windowId, b, words, count);
  if (r.returned) {
    request.answered = 1;
    request.answer = r.value;
  }
  return 1;
}

int FireTypedEvent(TypedEventRequest& request) {
  if (EventSuppressCount() >= 1) return 0;
  Binding b = FindBinding(request.windowId, request.unitId, request.event);
  if (!b.handler) return 0;
  uintptr_t words[kMaxHandlerWords] = {};
  int n = 0;
  int count = std::clamp(request.argc, 0, 12);
  for (int i = 0; i < count; ++i) AppendTypedArg(request.args[i], words, n);
  HandlerResult r = Deliver(request.windowId, b, words, n);
  if (r.returned) {
    request.answered = 1;
    request.answer = r.value;
  }
  return 1;
}

EventOutcome RaiseEvent(uint32_t windowId, uint32_t unitId, int event,
                        std::initializer_list<uint32_t> args) {
  EventRequest request{};
  request.windowId = windowId;
  request.unitId = unitId;
  request.event = event;
  for (uint32_t a : args) {
    if (request.argc == 5) break;
    request.args[request.argc++] = a;
  }
  EventOutcome out;
  out.ran = FireEvent(request) != 0;
  out.answered = request.answered != 0;
  out.answer = request.answer;
  return out;
}

void SuppressEvents() { EventSuppressCount()++; }
void ResumeEvents() {
  if (EventSuppressCount() > 0) EventSuppressCount()--;
}

uint32_t CurrentEventWindow() { return g_eventWindow; }
uint32_t CurrentEventUnit() { return g_eventUnit; }
