// What the core library's units do the same way: each is made from its
// record's blob, hangs off its window (unit_window.h), answers
// kMsgGetUnitObject with its UnitObject*, shows its record's mouse cursor,
// and reports its final destruction to the framework (RuntimeNotify 2000)
// before the unit object is freed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "ui/framework/unit_creation.h"
#include "ui/framework/unit_window.h"
#include "ui/unit_type.h"

// Handles the shared messages; true with *result set when handled.
bool HandleCommonUnitMessage(UnitObject* unit, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp,
                             LRESULT* result);
// The destruction notice (code 2000) for the unit.
void ReportUnitDestroyed(const UnitObject* unit);
// The cursor loaded from the unit's record, or null for the default one.
HCURSOR UnitCursor(const UnitObject* unit);

// Hands a blob to the framework as a new runtime block (get all properties).
bool HandOverBlob(const std::vector<uint8_t>& bytes, uint8_t** blob, int32_t* length);

// A new unit object whose props are decoded from the record's blob, ids
// set; null when the blob is bad.
template <class Unit, class Props>
std::unique_ptr<Unit> NewUnit(const UnitCreation& c, bool (*decode)(std::span<const uint8_t>, Props&)) {
  auto unit = std::make_unique<Unit>();
  if (!decode(c.blob, unit->props)) return nullptr;
  unit->windowId = c.windowId;
  unit->unitId = c.unitId;
  return unit;
}

// Hands the unit to its new window (see UnitWindows::Attach): from here on
// the unit lives until the window's WM_NCDESTROY, which its procedure
// passes to EndUnit.
template <class Unit>
Unit* AttachUnit(std::unique_ptr<Unit> unit, HWND hwnd, WNDPROC proc) {
  LiveUnits<Unit>().Attach(unit.get(), hwnd, proc);
  return unit.release();
}

// A unit on its parent: its props decoded from the record, its control
// made as windowOf(props) describes it, and the unit attached to the
// control with `proc`. Null when the blob is bad or Windows refuses the
// control.
template <class Unit, class Props, class WindowOf>
Unit* CreateChildUnit(const UnitCreation& c, bool (*decode)(std::span<const uint8_t>, Props&),
                      WindowOf windowOf, WNDPROC proc) {
  std::unique_ptr<Unit> unit = NewUnit<Unit>(c, decode);
  if (!unit) return nullptr;
  const Props& props = unit->props;
  HWND hwnd = CreateChildWindow(c, windowOf(props));
  if (!hwnd) return nullptr;
  return AttachUnit(std::move(unit), hwnd, proc);
}

// WM_NCDESTROY of a unit's window: the window ends and lets go of the unit,
// the framework hears of it, then the unit object is freed.
template <class Unit>
LRESULT EndUnit(Unit* unit, HWND hwnd, WPARAM wp, LPARAM lp) {
  LRESULT result = LiveUnits<Unit>().End(unit, hwnd, wp, lp);
  ReportUnitDestroyed(unit);
  delete unit;
  return result;
}

// A unit's messages of its own: true with *result set when it took one.
template <class Unit>
using UnitMessageHandler = bool (*)(Unit* unit, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

// The unit's own window procedure: it finds the unit, answers the shared
// messages, lets `handle` take the unit's own, ends the unit at the
// WM_NCDESTROY that `handle` leaves, and passes the rest to the class.
template <class Unit, UnitMessageHandler<Unit> handle>
LRESULT CALLBACK UnitProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Unit* unit = UnitWindows<Unit>::FromOwnProcedure(hwnd);
  if (!unit) return DefWindowProcW(hwnd, msg, wp, lp);
  LRESULT result;
  if (HandleCommonUnitMessage(unit, hwnd, msg, wp, lp, &result) || handle(unit, hwnd, msg, wp, lp, &result))
    return result;
  if (msg == WM_NCDESTROY) return EndUnit(unit, hwnd, wp, lp);
  return CallBase(unit, hwnd, msg, wp, lp);
}

// Registers one of the runtime's own window classes (arrow cursor, null
// brush) unless it exists; false when that fails.
bool RegisterUnitClass(const char* name, UINT style, WNDPROC proc);
