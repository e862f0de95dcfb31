// Unit properties by index: the eight common ones (0 Left, 1 Top, 2 Width,
// 3 Height, 4 Tag, 5 Visible, 6 Disabled, 7 Cursor) are served here from
// the live window or the record; indices 8 and up go to the unit's type,
// converted by the property's type. Values travel as 64-bit words; texts
// and byte sets as pointers in them (the low word on 32-bit x86).
//
// RtReadProperty / RtWriteProperty (runtime/runtime.h) are these two.
#pragma once

#include <cstdint>

#include "ui/template/window_template.h"
#include "ui/unit_type.h"

// Text and byte-set results are new blocks owned by the caller (null for
// empty). Fatal when the window is not loaded, the unit does not exist, or
// a type property is read while the unit has no live window.
uint64_t ReadProperty(uint32_t windowId, uint32_t unitId, int index, int element);
// The value is borrowed. Fatal cases as for ReadProperty.
void WriteProperty(uint32_t windowId, uint32_t unitId, int index, int element, uint64_t value);

// The clamps applied when a position or size is written.
constexpr int32_t ClampPosition(int32_t v) { return v < -32627 ? -32627 : v > 32627 ? 32627 : v; }
constexpr int32_t ClampSize(int32_t v) { return v < 0 ? 0 : v > 32627 ? 32627 : v; }

// The common properties (0-7) and the menu-item properties (0-3).
uint64_t ReadCommonProperty(const UnitRecord& rec, int index);
void WriteCommonProperty(UnitRecord& rec, bool isWindowRecord, int index, uint64_t value);
uint64_t ReadMenuItemProperty(const UnitRecord& rec, int index);
void WriteMenuItemProperty(UnitRecord& rec, int index, uint64_t value);

inline void* PointerOf(uint64_t value) {
  return reinterpret_cast<void*>(static_cast<uintptr_t>(value));
}
inline uint64_t ValueOf(const void* p) { return reinterpret_cast<uintptr_t>(p); }
