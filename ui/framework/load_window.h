// Creating a window instance from its template records, and what happens
// when it is finally destroyed.
#pragma once

#include <windows.h>

#include <cstdint>

// LoadWindow: false when the window is unknown, the owner is invalid, a
// unit type is missing or any unit cannot be created. A modal load returns
// when the window is gone.
bool LoadWindow(uint32_t windowId, bool modal, HWND owner);

// RuntimeNotify 2000: a unit's control (unitId) or a loaded window
// (unitId 0 or its own record's id) was finally destroyed.
void OnUnitDestroyed(uint32_t windowId, uint32_t unitId);

// ResolveUnit (RuntimeNotify 2006 / 2007): the unit's live object, or null;
// with mandatory a missing unit is the fatal report instead.
struct UnitObject;
UnitObject* ResolveUnit(uint32_t windowId, uint32_t unitId, bool mandatory);

// Style bits a record gives its unit at creation.
uint32_t CreationStyle(uint32_t recordFlags, uint32_t typeFlags);
