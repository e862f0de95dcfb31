// The runtime heap and the small helpers that application code and the
// libraries use for texts and arrays.
//
// Blocks come from the process heap and carry no header of their own. A
// pointer into the application's constant area (ConstArea) is never freed
// or resized in place: literal texts and array templates live there.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "runtime/value.h"

// Allocates size bytes (not zero-filled). Never returns null: a failure is
// the fatal report "分配 %d 字节内存失败!".
void* RtAlloc(uint32_t size);
// As RtAlloc, but answers null on failure and reports nothing.
void* RtTryAlloc(uint32_t size);
// Null gives RtAlloc; a ConstArea pointer gives a new block holding a copy
// of what the area has from p on (at most size bytes). Fatal on failure.
void* RtRealloc(void* p, uint32_t size);
// Ignores null and ConstArea pointers.
void RtFree(void* p);

void RtSetConstArea(const void* start, uint32_t length);  // length 0 forgets it
bool RtInConstArea(const void* p);

// Truncates toward zero whatever the FPU rounding mode; the mode is kept.
int64_t RtTruncToInt64(double d);
// Element count (product of the sizes, 0 for no dimension) and the address
// of the first element. RtArrayCountOrNull accepts null (count 0).
int32_t RtArrayCount(const RtArray* a, void** first = nullptr);
int32_t RtArrayCountOrNull(const RtArray* a, void** first = nullptr);
// Bytes before the NUL; 0 for null.
int32_t RtTextLength(const char* t);
// A new block holding the parts in order; always a block, even when empty.
char* RtConcatN(int n, const char* const* parts);
inline char* RtConcat(std::initializer_list<const char*> parts) {
  return RtConcatN(static_cast<int>(parts.size()), parts.begin());
}
// -1, 0, 1 by the first differing byte as unsigned; null equals "".
int RtTextCompare(const char* a, const char* b);

// A new RtText copy of n bytes (or up to the NUL when n < 0); null when the
// copy would be empty, as every command result is.
char* RtCopyText(const char* t, int32_t n = -1);
// A new one-dimensional array of count elements of width bytes, zero-filled.
RtArray* RtNewArray(int32_t count, int width);
// A new byte set of n bytes copied from data; null when n is 0.
RtArray* RtNewBytes(const void* data, int32_t n);

// 1-based element access for application code: index below 1 is runtime
// error 4, above the count runtime error 1 (both end the process).
void* RtElementAt(const RtArray* a, int32_t index1, int width);
// Appends one element of width bytes in place on the variable; a ConstArea
// template is copied to the heap first (RtService 2).
void RtAppendElement(RtArray** var, int width, const void* element);
// The same for count elements laid out one after another, with one
// growth of the block; a count of 0 or less leaves the variable as it is.
void RtAppendElements(RtArray** var, int width, const void* elements, int32_t count);

// A new record block: size bytes copied from record, then every non-null
// text member (at the given byte offsets) duplicated into a block of its
// own; null members stay null.
void* RtCopyRecord(const void* record, uint32_t size, const uint32_t* textOffsets, int textCount);
// Appends a copy of the record (RtCopyRecord) to an array of records.
void RtAppendRecord(RtArray** var, const void* record, uint32_t size, const uint32_t* textOffsets,
                    int textCount);
