// The runtime heap: the process heap, fetched once at initialisation, plus
// the constant-area guard. Allocation failure is fatal, so callers never
// test for null (RtTryAlloc is the one exception, for RuntimeNotify 2024).
#include "runtime/heap.h"

#include <windows.h>

#include <cfenv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "runtime/runtime.h"

namespace {

HANDLE g_heap;
const uint8_t* g_constStart;
const uint8_t* g_constEnd;

HANDLE Heap() {
  if (!g_heap) g_heap = GetProcessHeap();
  return g_heap;
}

[[noreturn]] void OutOfMemory(uint32_t size) {
  char message[64];
  snprintf(message, sizeof message, "分配 %d 字节内存失败!", static_cast<int>(size));
  FatalReport(message, 0);
}

}  // namespace

void RtSetConstArea(const void* start, uint32_t length) {
  if (length == 0 || !start) {
    g_constStart = g_constEnd = nullptr;
    return;
  }
  g_constStart = static_cast<const uint8_t*>(start);
  g_constEnd = g_constStart + length;
}

bool RtInConstArea(const void* p) {
  auto b = static_cast<const uint8_t*>(p);
  return b && g_constStart && b >= g_constStart && b < g_constEnd;
}

// Sizes are 32-bit signed in the program's view (the report prints them with
// %d); anything above 2 GiB is refused on every build, so the 64-bit test
// build fails where the 32-bit program must.
constexpr uint32_t kMaxBlock = 0x7FFFFFFF;

void* RtTryAlloc(uint32_t size) {
  if (size > kMaxBlock) return nullptr;
  return HeapAlloc(Heap(), 0, size ? size : 1);
}

void* RtAlloc(uint32_t size) {
  void* p = RtTryAlloc(size);
  if (!p) OutOfMemory(size);
  return p;
}

void* RtRealloc(void* p, uint32_t size) {
  if (!p) return RtAlloc(size);
  if (RtInConstArea(p)) {
    void* q = RtAlloc(size);
    size_t avail = static_cast<size_t>(g_constEnd - static_cast<const uint8_t*>(p));
    memcpy(q, p, avail < size ? avail : size);
    return q;
  }
  void* q = size > kMaxBlock ? nullptr : HeapReAlloc(Heap(), 0, p, size ? size : 1);
  if (!q) OutOfMemory(size);
  return q;
}

void RtFree(void* p) {
  if (!p || RtInConstArea(p)) return;
  HeapFree(Heap(), 0, p);
}

int64_t RtTruncToInt64(double d) {
  // NaN and values beyond the 64-bit range give the "integer indefinite"
  // of the x86 conversion instructions instead of undefined behaviour.
  constexpr double kLimit = 9223372036854775808.0;  // 2^63
  if (!(d > -kLimit && d < kLimit)) return INT64_MIN;
  // std::trunc ignores the rounding mode; the conversion of an integral
  // double is then exact.
  return static_cast<int64_t>(std::trunc(d));
}

int32_t RtArrayCount(const RtArray* a, void** first) {
  int32_t dims = a->dims < 0 ? 0 : a->dims;
  int64_t count = dims ? 1 : 0;
  for (int32_t i = 0; i < dims; i++) count *= a->sizes[i];
  if (first)
    *first = const_cast<int32_t*>(&a->sizes[0]) + dims;
  return static_cast<int32_t>(count);
}

int32_t RtArrayCountOrNull(const RtArray* a, void** first) {
  if (!a) {
    if (first) *first = nullptr;
    return 0;
  }
  return RtArrayCount(a, first);
}

int32_t RtTextLength(const char* t) { return t ? static_cast<int32_t>(strlen(t)) : 0; }

char* RtConcatN(int n, const char* const* parts) {
  uint32_t total = 0;
  for (int i = 0; i < n; i++) total += RtTextLength(parts[i]);
  char* out = static_cast<char*>(RtAlloc(total + 1));
  char* p = out;
  for (int i = 0; i < n; i++) {
    int32_t len = RtTextLength(parts[i]);
    memcpy(p, parts[i] ? parts[i] : "", len);
    p += len;
  }
  *p = 0;
  return out;
}

int RtTextCompare(const char* a, const char* b) {
  if (!a) return (!b || !*b) ? 0 : -1;
  if (!b) return *a ? 1 : 0;
  auto x = reinterpret_cast<const unsigned char*>(a);
  auto y = reinterpret_cast<const unsigned char*>(b);
  while (*x && *x == *y) x++, y++;
  if (*x == *y) return 0;
  return *x < *y ? -1 : 1;
}

char* RtCopyText(const char* t, int32_t n) {
  if (!t) return nullptr;
  if (n < 0) n = RtTextLength(t);
  if (n == 0) return nullptr;
  char* out = static_cast<char*>(RtAlloc(n + 1));
  memcpy(out, t, n);
  out[n] = 0;
  return out;
}

RtArray* RtNewArray(int32_t count, int width) {
  if (count < 0) count = 0;
  uint32_t bytes = 8 + static_cast<uint32_t>(count) * width;
  auto a = static_cast<RtArray*>(RtAlloc(bytes));
  memset(a, 0, bytes);
  a->dims = 1;
  a->sizes[0] = count;
  return a;
}

RtArray* RtNewBytes(const void* data, int32_t n) {
  if (n <= 0) return nullptr;
  RtArray* a = RtNewArray(n, 1);
  memcpy(&a->sizes[1], data, n);
  return a;
}

void* RtElementAt(const RtArray* a, int32_t index1, int width) {
  void* first;
  int32_t count = RtArrayCountOrNull(a, &first);
  int64_t position = static_cast<int64_t>(index1) - 1;  // no overflow at INT32_MIN
  if (position < 0) RtReportError(4);
  if (position >= count) RtReportError(1);
  return static_cast<uint8_t*>(first) + static_cast<size_t>(index1 - 1) * width;
}

void RtAppendElements(RtArray** var, int width, const void* elements, int32_t added) {
  if (added <= 0) return;
  RtService(kServiceMakeArrayWritable, width, reinterpret_cast<intptr_t>(var));
  void* first;
  const int32_t count = RtArrayCountOrNull(*var, &first);
  const size_t held_elements = static_cast<size_t>(count) * width;
  const uint32_t needed = 8 + static_cast<uint32_t>(count + added) * width;
  RtArray* a = *var;
  // The block must hold the new header before it is written: a block
  // without any dimension is only 4 bytes. One with more dimensions is
  // larger than needed and shrinks only after its elements moved down.
  size_t offset = 8, held = 0;
  if (a) {
    offset = static_cast<size_t>(static_cast<uint8_t*>(first) - reinterpret_cast<uint8_t*>(a));
    held = offset + held_elements;
  }
  if (needed > held) a = static_cast<RtArray*>(RtRealloc(a, needed));
  // Elements follow a one-dimension header from here on.
  uint8_t* target = reinterpret_cast<uint8_t*>(&a->sizes[1]);
  if (held_elements && offset != 8) memmove(target, reinterpret_cast<uint8_t*>(a) + offset, held_elements);
  a->dims = 1;
  a->sizes[0] = count + added;
  if (needed < held) a = static_cast<RtArray*>(RtRealloc(a, needed));
  memcpy(reinterpret_cast<uint8_t*>(&a->sizes[1]) + held_elements, elements, static_cast<size_t>(added) * width);
  *var = a;
}

void RtAppendElement(RtArray** var, int width, const void* element) { RtAppendElements(var, width, element, 1); }

void* RtCopyRecord(const void* record, uint32_t size, const uint32_t* textOffsets, int textCount) {
  auto copy = static_cast<uint8_t*>(RtAlloc(size));
  memcpy(copy, record, size);
  for (int i = 0; i < textCount; i++) {
    char* text;
    memcpy(&text, copy + textOffsets[i], sizeof text);
    if (!text) continue;
    // Every non-null member gets its own block, even an empty one.
    int32_t n = RtTextLength(text);
    char* dup = static_cast<char*>(RtAlloc(n + 1));
    memcpy(dup, text, n + 1);
    memcpy(copy + textOffsets[i], &dup, sizeof dup);
  }
  return copy;
}

void RtAppendRecord(RtArray** var, const void* record, uint32_t size, const uint32_t* textOffsets,
                    int textCount) {
  void* copy = RtCopyRecord(record, size, textOffsets, textCount);
  RtAppendElement(var, kPtrWidth, &copy);
}
