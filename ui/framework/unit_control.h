// What every basic unit's control does the same way: it is subclassed by
// its unit (comctl32 window subclassing), answers kMsgGetUnitObject with
// its UnitObject*, shows its record's mouse cursor, and reports its final
// destruction to the framework (RuntimeNotify 2000) before the unit object
// is freed.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

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

// The live window text of a unit's control.
std::string WindowText(HWND hwnd);
