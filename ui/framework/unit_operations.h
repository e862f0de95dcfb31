// A unit type's operations as one table, and its type descriptor.
// LookupIn<table> is the type's OperationLookup: it answers the operation
// by number, null for those the type lacks.
#pragma once

#include <array>
#include <cstddef>

#include "ui/unit_type.h"

struct UnitOperations {
  CreateOp create = nullptr;
  SetPropertyOp setProperty = nullptr;
  GetAllPropertiesOp getAllProperties = nullptr;
  GetPropertyOp getProperty = nullptr;
  KeyClaimOp keyClaim = nullptr;
  IsDefaultButtonOp isDefaultButton = nullptr;
  MessageFilterOp messageFilter = nullptr;
};

template <const UnitOperations& kOps>
void* LookupIn(int operation) {
  switch (operation) {
    case kOpCreate: return reinterpret_cast<void*>(kOps.create);
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
// (none is read at run time). `properties` must outlive the descriptor.
template <const UnitOperations& kOps, size_t N>
constexpr UnitTypeInfo UnitType(const char* name, const char* englishName, uint32_t flags,
                                const std::array<PropertyInfo, N>& properties) {
  return {name, englishName, nullptr, 0, nullptr, flags, 0, 0, nullptr,
          static_cast<int32_t>(N), properties.data(), &LookupIn<kOps>, 0, nullptr};
}
