// Conversions between kinds of value: to an integer, to a byte set, to a
// text, and the left part of a byte set.
#include "commands/core_commands.h"
#include "commands/gbk_text.h"
#include "commands/number_text.h"
#include "runtime/arg_read.h"
#include "runtime/heap.h"

namespace {

bool IsNumericArray(uint32_t type) { return IsArrayType(type) && IsNumericType(ArrayBaseType(type)); }

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The elements of an array (byte sets included) as raw bytes.
const uint8_t* ArrayBytes(const RtArray* array, int width, int32_t* length) {
  void* first = nullptr;
  int32_t count = RtArrayCountOrNull(array, &first);
  *length = count * width;
  return static_cast<const uint8_t*>(first);
}

}  // namespace

int32_t TextToInteger(const char* text) {
  char* folded = FoldFullWidth(text, false);
  const char* p = folded ? folded : "";
  while (IsBlank(*p)) p++;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  uint32_t value = 0;  // unsigned, so overflow wraps instead of being undefined
  for (; *p >= '0' && *p <= '9'; p++) value = value * 10 + static_cast<uint32_t>(*p - '0');
  RtFree(folded);
  return static_cast<int32_t>(negative ? 0u - value : value);
}

void ValueToInteger(ArgValue* result, int argc, ArgValue* args) {
  if (argc < 1) return;
  const ArgValue& a = args[0];
  int32_t value = 0;
  if (a.type == kTypeText)
    value = TextToInteger(a.v.text);
  else
    ArgAsInt(a, &value);  // date-times, byte sets, arrays, library types: 0
  result->v.i32 = value;
}

void ValueToBytes(ArgValue* result, int argc, ArgValue* args) {
  if (argc < 1) return;
  const ArgValue& a = args[0];
  const void* data = nullptr;
  int32_t length = 0;
  if (a.type == kTypeText) {
    data = a.v.text;
    length = RtTextLength(a.v.text);
  } else if (IsNumericType(a.type) || a.type == kTypeBool || a.type == kTypeSubPointer ||
             a.type == kTypeDateTime) {
    data = &a.v;  // little-endian: least significant byte first
    length = KindWidth(a.type);
  } else if (a.type == kTypeBytes) {
    data = ArrayBytes(static_cast<const RtArray*>(a.v.ptr), 1, &length);
  } else if (IsNumericArray(a.type)) {
    data = ArrayBytes(static_cast<const RtArray*>(a.v.ptr), KindWidth(ArrayBaseType(a.type)), &length);
  }
  result->v.ptr = RtNewBytes(data, length);
}

void LeftBytes(ArgValue* result, int argc, ArgValue* args) {
  if (argc < 2) return;
  int32_t length;
  const uint8_t* bytes = ArrayBytes(static_cast<const RtArray*>(args[0].v.ptr), 1, &length);
  int32_t n = ArgAsIntOr(argc, args, 1, 0);
  if (n < 0) n = 0;
  result->v.ptr = RtNewBytes(bytes, n < length ? n : length);
}

void ValueToText(ArgValue* result, int argc, ArgValue* args) {
  if (argc < 1) return;
  const ArgValue& a = args[0];
  if (a.type == kTypeText) {
    result->v.text = RtCopyText(a.v.text);
    return;
  }
  char buffer[100];
  if (NumberText(a, buffer, sizeof buffer)) {
    result->v.text = RtCopyText(buffer);
    return;
  }
  int width = a.type == kTypeBytes ? 1 : IsNumericArray(a.type) ? KindWidth(ArrayBaseType(a.type)) : 0;
  if (width == 0) return;
  int32_t length;
  auto bytes = ArrayBytes(static_cast<const RtArray*>(a.v.ptr), width, &length);
  int32_t n = 0;
  while (n < length && bytes[n] != 0) n++;
  result->v.text = RtCopyText(reinterpret_cast<const char*>(bytes), n);
}
