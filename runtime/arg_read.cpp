#include "runtime/arg_read.h"

#include "runtime/heap.h"

int32_t FloatToInt32(double d) {
  // RtTruncToInt64 answers INT64_MIN (low word 0) where no integer exists;
  // the cast to unsigned keeps the low word without overflow.
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(RtTruncToInt64(d))));
}

bool ArgAsInt(const ArgValue& a, int32_t* out) {
  switch (a.type) {
    case kTypeByte: *out = a.v.u8; return true;
    case kTypeShort: *out = a.v.i16; return true;
    case kTypeInt: case kTypeBool: case kTypeSubPointer: *out = a.v.i32; return true;
    case kTypeLong: *out = static_cast<int32_t>(a.v.w.lo); return true;
    case kTypeFloat: *out = FloatToInt32(a.v.f32); return true;
    case kTypeDouble: *out = FloatToInt32(a.v.f64); return true;
    default: return false;
  }
}
