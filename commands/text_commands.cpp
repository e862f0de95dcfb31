// Text commands: length, left part and splitting. Positions count bytes; the
// split never matches a delimiter at the second byte of a double-byte
// character.
#include <algorithm>
#include <cstring>

#include "commands/core_commands.h"
#include "commands/gbk_text.h"
#include "runtime/arg_read.h"
#include "runtime/heap.h"

namespace {

// Walks the text and calls emit(start, length) for every piece, in order.
// limit < 0 means no limit; the scan stops when the limit is used up, and
// the text after the last delimiter found is then dropped.
template <class Emit>
void ScanPieces(const char* text, const char* delimiter, int32_t limit, Emit emit) {
  const int32_t length = RtTextLength(text);
  const int32_t dlen = RtTextLength(delimiter);
  if (length == 0 || limit == 0) return;
  if (dlen == 0) {
    emit(0, length);
    return;
  }
  int32_t p = 0, s = 0;
  // remaining is the number of bytes from p to the end, so a comparison
  // never reads past the NUL.
  while (length - p >= dlen) {
    if (memcmp(text + p, delimiter, dlen) == 0) {
      emit(s, p - s);
      p += dlen;
      s = p;
      if (limit > 0 && --limit == 0) break;
    } else if (IsLeadByte(text[p])) {
      if (text[p + 1] == 0) break;
      p += 2;
    } else {
      p++;
    }
  }
  if (length > s && limit != 0) emit(s, length - s);
}

}  // namespace

void TextLength(ArgValue* result, int argc, ArgValue* args) {
  result->v.i32 = argc >= 1 ? RtTextLength(args[0].v.text) : 0;
}

void LeftText(ArgValue* result, int argc, ArgValue* args) {
  if (argc < 2) return;
  int32_t n = ArgAsIntOr(argc, args, 1, 0);
  if (n <= 0) return;
  int32_t length = RtTextLength(args[0].v.text);
  result->v.text = RtCopyText(args[0].v.text, n < length ? n : length);
}

void SplitText(ArgValue* result, int argc, ArgValue* args) {
  const char* text = argc >= 1 ? args[0].v.text : nullptr;
  const char* delimiter = ArgGiven(argc, args, 1) ? args[1].v.text : ",";
  int32_t limit = -1;
  if (ArgGiven(argc, args, 2)) limit = std::max(ArgAsIntOr(argc, args, 2, 0), 0);

  int32_t count = 0;
  ScanPieces(text, delimiter, limit, [&](int32_t, int32_t) { count++; });
  RtArray* array = RtNewArray(count, kPtrWidth);
  auto slot = reinterpret_cast<char**>(&array->sizes[1]);
  ScanPieces(text, delimiter, limit, [&](int32_t start, int32_t n) {
    char* piece = n ? RtCopyText(text + start, n) : nullptr;
    memcpy(slot++, &piece, sizeof piece);
  });
  result->v.ptr = array;
}
