// Reading the arguments of a database command: the runtime's readers
// (arg_read.h) and the object that argument 0 refers to.
#pragma once

#include <cstdint>

#include "runtime/arg_read.h"
#include "runtime/value.h"

namespace db {

// The object's storage (argument 0), or null.
template <class Storage>
Storage* ObjectAt(int argc, const ArgValue* args) {
  return static_cast<Storage*>(ArgAt(argc, args, 0).v.ptr);
}

}  // namespace db
