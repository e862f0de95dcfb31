// The in-memory form of the window templates: one WindowTemplate per
// window, each holding its unit table of UnitRecords.
//
// The stream's records are decoded field by field at load time (and so
// fully bounds-checked there); the property blob stays raw bytes that each
// unit type decodes when it creates its unit. The two live slots of a
// record (unit object, cursor handle) are real pointers here, not the
// stream's 32-bit placeholders, so the model is the same on 32 and 64 bits.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

struct UnitObject;

inline constexpr uint32_t kNoHandlerOffset = 0xFFFFFFFF;

// Record flags.
enum : uint32_t { kRecordVisible = 1, kRecordDisabled = 2, kRecordTabStop = 4 };

struct EventBinding {
  int32_t event = 0;
  uint32_t offset = kNoHandlerOffset;  // as stored
  uintptr_t handler = 0;               // after relocation: code base + offset, 0 = none
};

// The menu-item form of a record (kind byte 0x26): after the comment, three
// words (flags: bit 0 hidden, bit 1 disabled, bit 2 checked; then two words
// kept as they are), the caption and one handler.
struct MenuItemPart {
  std::array<uint32_t, 3> words{};
  std::string caption;
  EventBinding binding;  // event index unused
};

struct UnitRecord {
  uint32_t id = 0;
  uint32_t type = 0;
  uint32_t eventSource = 0;  // UnitId whose bindings this unit uses; 0 = its own
  std::array<uint32_t, 4> reserved1{};
  std::string name;
  std::string comment;
  bool isMenuItem = false;
  MenuItemPart menu;  // menu items only; the fields below are then unused

  UnitObject* object = nullptr;  // live slot: the unit's object while it exists
  int32_t left = 0, top = 0, width = 0, height = 0;
  HCURSOR cursor = nullptr;      // live slot: the loaded cursor
  uint32_t parent = 0;           // container UnitId, 0 = the window
  std::vector<uint32_t> children;
  std::vector<uint8_t> cursorData;
  std::string tag;
  uint32_t reserved2 = 0;
  uint32_t flags = 0;
  uint32_t tabOrder = 0;
  std::vector<EventBinding> bindings;
  std::array<uint32_t, 5> reserved3{};
  std::vector<uint8_t> blob;  // the type's PropertyBlob; empty = all defaults

  std::span<const uint8_t> PropertyBlob() const { return blob; }
};

// One window's template. Records are held by pointer and never move after
// loading, so units and the framework may keep UnitRecord pointers.
struct WindowTemplate {
  uint32_t id = 0;
  uint32_t wordA = 0, wordB = 0;  // kept, not interpreted
  std::string textA, textB;       // kept, not interpreted
  std::vector<std::unique_ptr<UnitRecord>> records;  // entry 0: the window's own record

  size_t Count() const { return records.size(); }
  // Null when index >= Count().
  UnitRecord* RecordAt(size_t index) const;
  uint32_t IdAt(size_t index) const;
  // Index of the record, or -1. Entry 0 is tried first.
  int Find(uint32_t unitId) const;
};

// Reads the whole template stream: the window index, then one section per
// window. Handler offsets are relocated against codeBase (0xFFFFFFFF = no
// handler). Answers false on any truncated or malformed input, leaving out
// untouched; consumed receives the number of bytes the windows occupy.
bool LoadWindowTemplates(std::span<const uint8_t> data, uintptr_t codeBase,
                         std::vector<std::unique_ptr<WindowTemplate>>& out,
                         size_t* consumed = nullptr);
