// Type lookup through the runtime's library list.
#include "ui/framework/unit_types.h"

#include "runtime/runtime.h"

const UnitTypeInfo* TypeInfoFor(uint32_t typeCode) {
  int library = static_cast<int>(typeCode >> 16) - 1;
  int number = static_cast<int>(typeCode & 0xFFFF) - 1;
  const LibraryInfo* lib = RtLibrary(library);
  if (!lib || !lib->types || number < 0 || number >= lib->typeCount) return nullptr;
  return lib->types[number];
}

uint16_t PropertyTypeOf(const UnitTypeInfo* type, int index) {
  if (!type || !type->properties || index < 0 || index >= type->propertyCount) return 0;
  return type->properties[index].type;
}
