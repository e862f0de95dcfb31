// Reading the arguments of a database command. Callers pass one record per
// declared parameter, but a short list reads as omitted arguments rather
// than past its end.
#pragma once

#include <cmath>
#include <cstdint>

#include "runtime/value.h"

namespace db {

inline ArgValue ArgAt(int argc, const ArgValue* args, int i) {
  return (args && i < argc) ? args[i] : ArgValue{};
}

// The object's storage (argument 0), or null.
template <class Storage>
Storage* ObjectAt(int argc, const ArgValue* args) {
  return static_cast<Storage*>(ArgAt(argc, args, 0).v.ptr);
}

// A numeric argument as a 32-bit integer: integral kinds and logicals by
// their low 32 bits, floats and doubles truncated toward zero (clamped, so
// that a huge or NaN value cannot overflow the conversion). False for any
// other kind, an omitted argument included.
inline bool ArgToInt32(const ArgValue& a, int32_t* out) {
  switch (a.type) {
    case kTypeByte: *out = a.v.u8; return true;
    case kTypeShort: *out = a.v.i16; return true;
    case kTypeInt: case kTypeLong: case kTypeBool: *out = static_cast<int32_t>(a.v.u32); return true;
    case kTypeFloat: case kTypeDouble: {
      double d = a.type == kTypeFloat ? a.v.f32 : a.v.f64;
      if (std::isnan(d)) return false;
      d = std::trunc(d);
      *out = d <= INT32_MIN ? INT32_MIN : d >= INT32_MAX ? INT32_MAX : static_cast<int32_t>(d);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace db
