// A unit type's operations as one table, and its type descriptor.
// LookupIn<table> is the type's OperationLookup: it answers the operation
// by number, null for those the type lacks.
#pragma once

#include <array>
#include <cstddef>
#include <type_traits>

#include "ui/framework/property_table.h"
#include "ui/framework/unit_creation.h"
#include "ui/unit_type.h"

// Every type has `create`.
struct UnitOperations {
  UnitObject* (*create)(const UnitCreation& c) = nullptr;
  SetPropertyOp setProperty = nullptr;
  GetAllPropertiesOp getAllProperties = nullptr;
  GetPropertyOp getProperty = nullptr;
  KeyClaimOp keyClaim = nullptr;
  IsDefaultButtonOp isDefaultButton = nullptr;
  MessageFilterOp messageFilter = nullptr;
};

// The create operation as the type contract has it: its arguments go on
// to the table's `create` as one record.
template <const UnitOperations& kOps>
UnitObject* CreateFromArguments(const uint8_t* blob, int32_t length, uint32_t style, HWND parent,
                                UINT controlId, HMENU menu, int left, int top, int width, int height,
                                uint32_t windowId, uint32_t unitId, int design, int reserved) {
  return kOps.create({BlobBytes(blob, length), style, parent, controlId, menu, left, top, width, height,
                      windowId, unitId, design, reserved});
}

template <const UnitOperations& kOps>
void* LookupIn(int operation) {
  static_assert(kOps.create != nullptr, "every unit type can be created");
  static_assert(std::is_same_v<decltype(&CreateFromArguments<kOps>), CreateOp>);
  switch (operation) {
    case kOpCreate: return reinterpret_cast<void*>(&CreateFromArguments<kOps>);
    case kOpSetProperty: return reinterpret_cast<void*>(kOps.setProperty);
    case kOpGetAllProperties: return reinterpret_cast<void*>(kOps.getAllProperties);
    case kOpGetProperty: return reinterpret_cast<void*>(kOps.getProperty);
    case kOpKeyClaim: return reinterpret_cast<void*>(kOps.keyClaim);
    case kOpIsDefaultButton: return reinterpret_cast<void*>(kOps.isDefaultButton);
    case kOpMessageFilter: return reinterpret_cast<void*>(kOps.messageFilter);
    default: return nullptr;
  }
}

// A unit type's descriptor: no commands, picture, event table or elements
// (none is read at run time). Its property table is kPropertyTable of its
// own properties and its look.
template <const UnitOperations& kOps, const auto& kOwn, LookProperties kLook = kNoLook>
constexpr UnitTypeInfo UnitType(const char* name, const char* englishName, uint32_t flags) {
  const auto& table = kPropertyTable<kOwn, kLook>;
  return {name, englishName, nullptr, 0, nullptr, flags, 0, 0, nullptr,
          static_cast<int32_t>(table.size()), table.data(), &LookupIn<kOps>, 0, nullptr};
}
