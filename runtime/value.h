// The value model shared by the application, the runtime and every library.
//
// Every command call moves ArgValue records; texts and arrays live in blocks
// of the runtime heap (see heap.h). These layouts are a binary contract with
// separately built libraries, so they stay plain structs with fixed sizes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// Kind codes of ArgValue::type.
inline constexpr uint32_t kTypeNone = 0;
inline constexpr uint32_t kTypeByte = 0x80000101;
inline constexpr uint32_t kTypeShort = 0x80000201;
inline constexpr uint32_t kTypeInt = 0x80000301;
inline constexpr uint32_t kTypeLong = 0x80000401;
inline constexpr uint32_t kTypeFloat = 0x80000501;
inline constexpr uint32_t kTypeDouble = 0x80000601;
inline constexpr uint32_t kTypeBool = 0x80000002;
inline constexpr uint32_t kTypeDateTime = 0x80000003;
inline constexpr uint32_t kTypeText = 0x80000004;
inline constexpr uint32_t kTypeBytes = 0x80000005;
inline constexpr uint32_t kTypeSubPointer = 0x80000006;
inline constexpr uint32_t kTypeReserved8 = 0x80000008;
inline constexpr uint32_t kTypeArrayFlag = 0x20000000;

// The TypeCode of a library's type (a unit or an object type): (library
// + 1) << 16 | (type number + 1), the library numbered by its place in the
// program's library list. Each type's header names its own code.
constexpr uint32_t UnitTypeCode(int library, int typeNumber) {
  return static_cast<uint32_t>(library + 1) << 16 | static_cast<uint32_t>(typeNumber + 1);
}

// True for byte, short, integer, long, float and double (not their arrays,
// whose codes also end in 1).
constexpr bool IsNumericType(uint32_t t) {
  return t >= 0x80000000u && t < 0xC0000000u && (t & 0xFF) == 1 && !(t & kTypeArrayFlag);
}
constexpr bool IsArrayType(uint32_t t) {
  return t >= 0x80000000u && (t & kTypeArrayFlag) != 0;
}
constexpr uint32_t ArrayBaseType(uint32_t t) { return t & ~kTypeArrayFlag; }
// The product is a 32-bit program: pointers held in arrays and records are
// 4 bytes there. The same sources also build for 64-bit Windows (to run the
// tests where no 32-bit code runs), so pointer slots use kPtrWidth.
inline constexpr int kPtrWidth = static_cast<int>(sizeof(void*));
#if defined(__i386__) || defined(_M_IX86)
#define RT_TARGET_X86 1
static_assert(kPtrWidth == 4);
#endif

// Stored width of one element of the kind (array elements, ValueToBytes).
constexpr int KindWidth(uint32_t t) {
  switch (t) {
    case kTypeByte: return 1;
    case kTypeShort: return 2;
    case kTypeLong: case kTypeDouble: case kTypeDateTime: case kTypeReserved8: return 8;
    case kTypeInt: case kTypeFloat: case kTypeBool: case kTypeSubPointer: return 4;
    default: return kPtrWidth;  // texts, byte sets, arrays, records: pointers
  }
}

// One typed value: 8 value bytes (low word first), then the kind code.
// Packed to 4 so the stride is 12 bytes, as every library expects.
#pragma pack(push, 4)
struct ArgValue {
  union {
    uint64_t u64;
    int64_t i64;
    double f64;
    struct { uint32_t lo, hi; } w;
    int32_t i32;
    uint32_t u32;
    float f32;
    uint8_t u8;
    int16_t i16;
    void* ptr;
    char* text;
  } v;
  uint32_t type;
};
#pragma pack(pop)
static_assert(sizeof(ArgValue) == 12, "ArgValue is a 12-byte record");
static_assert(offsetof(ArgValue, type) == 8);

// Every library command: result (zero-filled by the caller), count, arguments.
// Commands are declared by the function type: `CommandFunction Open;`.
using CommandFunction = void(ArgValue* result, int argc, ArgValue* args);
using CommandFn = CommandFunction*;
// RuntimeNotify and every library's LibNotify share this shape.
using NotifyFn = intptr_t (*)(int code, intptr_t p1, intptr_t p2);  // 32-bit answer on the product

// An RtText is a char* to NUL-terminated GBK bytes in a runtime heap block;
// null is the empty text. An RtArray block: dimension count, one size per
// dimension, then the elements without padding.
struct RtArray {
  int32_t dims;
  int32_t sizes[1];  // really `dims` entries
};
static_assert(sizeof(int32_t) == 4 && alignof(RtArray) == 4);

// A unit reference in an ArgValue: low word WindowId, high word UnitId.
// An object reference holds the storage address in the value (v.ptr).
inline ArgValue UnitRef(uint32_t windowId, uint32_t unitId, uint32_t type) {
  ArgValue a{};
  a.v.w.lo = windowId;
  a.v.w.hi = unitId;
  a.type = type;
  return a;
}
inline ArgValue IntArg(int32_t i) { ArgValue a{}; a.v.i64 = 0; a.v.i32 = i; a.type = kTypeInt; return a; }
inline ArgValue LongArg(int64_t i) { ArgValue a{}; a.v.i64 = i; a.type = kTypeLong; return a; }
inline ArgValue DoubleArg(double d) { ArgValue a{}; a.v.f64 = d; a.type = kTypeDouble; return a; }
inline ArgValue FloatArg(float f) { ArgValue a{}; a.v.f32 = f; a.type = kTypeFloat; return a; }
inline ArgValue DateTimeArg(double days) { ArgValue a{}; a.v.f64 = days; a.type = kTypeDateTime; return a; }
// Any kind with its 8 value bytes as given.
inline ArgValue RawArg(uint32_t type, uint64_t bits) { ArgValue a{}; a.v.u64 = bits; a.type = type; return a; }
inline ArgValue BoolArg(bool b) { ArgValue a{}; a.v.i32 = b ? 1 : 0; a.type = kTypeBool; return a; }
inline ArgValue TextArg(const char* t) { ArgValue a{}; a.v.ptr = const_cast<char*>(t); a.type = kTypeText; return a; }
inline ArgValue BytesArg(const RtArray* b) { ArgValue a{}; a.v.ptr = const_cast<RtArray*>(b); a.type = kTypeBytes; return a; }
inline ArgValue ObjectArg(void* storage, uint32_t type) { ArgValue a{}; a.v.ptr = storage; a.type = type; return a; }
inline ArgValue OmittedArg() { return ArgValue{}; }
