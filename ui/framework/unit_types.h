// Unit types are found only through the libraries: a record's TypeCode
// (library + 1) << 16 | (type number + 1) names RtLibrary(library)->types[n].
#pragma once

#include <cstdint>

#include "ui/unit_type.h"

// Null when the library or the type does not exist.
const UnitTypeInfo* TypeInfoFor(uint32_t typeCode);

// The type's operation, or null when the type does not offer it.
template <class Op, int kNumber>
Op TypeOperation(const UnitTypeInfo* type, UnitOperation<Op, kNumber> operation) {
  if (!type || !type->lookup) return nullptr;
  return reinterpret_cast<Op>(type->lookup(operation));
}

// The property's 16-bit type, or 0 when the index is outside the table.
uint16_t PropertyTypeOf(const UnitTypeInfo* type, int index);
