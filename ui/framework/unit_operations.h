// A unit type's operations as one table. LookupIn<table> is the type's
// OperationLookup: it answers the operation by number, null for those the
// type lacks.
#pragma once

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
