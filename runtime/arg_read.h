// Reading the arguments of a library command. The builders beside ArgValue
// (IntArg, TextArg ...) make argument records; these read them, and every
// library reads an integer argument the same way.
//
// Callers pass one record per declared parameter, but a short list reads as
// omitted arguments rather than past its end.
#pragma once

#include <cstdint>

#include "runtime/value.h"

// Argument i, or an omitted (all-zero) record when the list is shorter.
inline ArgValue ArgAt(int argc, const ArgValue* args, int i) {
  return (args && i >= 0 && i < argc) ? args[i] : ArgValue{};
}

// Whether argument i is in the list and not omitted (type 0).
inline bool ArgGiven(int argc, const ArgValue* args, int i) { return ArgAt(argc, args, i).type != kTypeNone; }

// The 32-bit integer of a floating value: truncated toward zero to 64 bits
// (RtTruncToInt64), then its low 32 bits, so 2^32 + 1 gives 1. NaN and
// values beyond the 64-bit range have no such integer; they give the low
// word of the x86 "integer indefinite", 0.
int32_t FloatToInt32(double d);

// A number-like argument as a 32-bit integer: a byte zero-extended, a short
// sign-extended, an integer, a logical and the 4-byte kind as stored, a long
// integer by its low 32 bits, a float or double by FloatToInt32. False (and
// *out untouched) for every other kind: texts, date-times, byte sets,
// arrays, library types and omitted arguments.
bool ArgAsInt(const ArgValue& a, int32_t* out);

// Argument i as ArgAsInt reads it, or `fallback` when it is omitted or of a
// kind that holds no number.
inline int32_t ArgAsIntOr(int argc, const ArgValue* args, int i, int32_t fallback) {
  int32_t value = fallback;
  ArgAsInt(ArgAt(argc, args, i), &value);
  return value;
}

// Argument i's text; "" when it is omitted, null or not a text. The result
// is borrowed from the caller (or a constant) and must not be written.
inline const char* ArgAsText(int argc, const ArgValue* args, int i) {
  ArgValue a = ArgAt(argc, args, i);
  return a.type == kTypeText && a.v.text ? a.v.text : "";
}
