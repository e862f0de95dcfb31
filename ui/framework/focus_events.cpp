// Focus events; see focus_events.h.
#include "ui/framework/focus_events.h"

#include "ui/framework/events.h"

namespace {
uint32_t g_gotFocusSerial;
}

uint32_t FocusEventSerial() { return g_gotFocusSerial; }

void RaiseUnitFocusEvent(const UnitObject* unit, int event) {
  if (!unit) return;
  if (event == kEventGotFocus) ++g_gotFocusSerial;
  RaiseEvent(unit->windowId, unit->unitId, event);
}

void RaiseFocusEvent(const LoadedWindow& win, HWND hwnd, int event) {
  const UnitRecord* rec = win.RecordContaining(hwnd);
  if (!rec) return;
  if (event == kEventGotFocus) ++g_gotFocusSerial;
  RaiseEvent(win.tmpl->id, rec == &win.Own() ? 0 : rec->id, event);
}
