// WindowId and UnitId: 32-bit identifiers. Bits 0-23 are a serial number,
// bits 24-27 the table kind (2 a window id, 6 an entry of a unit table),
// bits 28-31 the entry kind (5 window, 0 the window's own record, 1 unit,
// 2 menu item). A unit is always addressed by the pair (window, unit).
#pragma once

#include <cstdint>

constexpr uint32_t IdSerial(uint32_t id) { return id & 0x00FFFFFF; }
constexpr uint32_t IdTableKind(uint32_t id) { return id >> 24 & 0xF; }
constexpr uint32_t IdEntryKind(uint32_t id) { return id >> 28; }

constexpr bool IsValidId(uint32_t id) { return IdSerial(id) != 0 && IdTableKind(id) != 0; }
constexpr bool IsMenuItemId(uint32_t id) { return IdTableKind(id) == 6 && IdEntryKind(id) == 2; }

constexpr uint32_t MakeId(uint32_t entryKind, uint32_t tableKind, uint32_t serial) {
  return entryKind << 28 | (tableKind & 0xF) << 24 | (serial & 0x00FFFFFF);
}
constexpr uint32_t MakeWindowId(uint32_t serial) { return MakeId(5, 2, serial); }
constexpr uint32_t MakeUnitId(uint32_t serial) { return MakeId(1, 6, serial); }
constexpr uint32_t MakeOwnRecordId(uint32_t serial) { return MakeId(0, 6, serial); }
constexpr uint32_t MakeMenuItemId(uint32_t serial) { return MakeId(2, 6, serial); }

static_assert(MakeWindowId(0x010001) == 0x52010001);
static_assert(MakeOwnRecordId(0x010000) == 0x06010000);
static_assert(MakeUnitId(0x011FC8) == 0x16011FC8);
