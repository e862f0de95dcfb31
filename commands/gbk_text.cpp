// Full-width folding over GBK bytes.
#include "commands/gbk_text.h"

#include <cstring>

#include "runtime/heap.h"

char* FoldFullWidth(const char* text, bool dropBlanks) {
  int32_t length = RtTextLength(text);
  if (length == 0) return nullptr;
  // Folding never lengthens the text.
  char* out = static_cast<char*>(RtAlloc(length + 1));
  int32_t n = 0;
  auto keep = [&](char c) {
    if (c == ' ' && dropBlanks) return;
    out[n++] = c;
  };
  for (const char* p = text; *p;) {
    if (!IsLeadByte(*p)) {
      keep(*p++);
      continue;
    }
    auto lead = static_cast<unsigned char>(p[0]);
    auto second = static_cast<unsigned char>(p[1]);
    if (second == 0) break;
    if (lead == 0xA1 && second == 0xA1)
      keep(' ');
    else if (lead == 0xA1 && second == 0xAB)
      keep('~');
    else if (lead == 0xA1 && (second == 0xEE || second == 0xEF))
      keep('*');
    else if (lead == 0xA3 && second >= 0xA1 && second <= 0xFE)
      keep(static_cast<char>(second - 0x80));
    else {
      out[n++] = p[0];
      out[n++] = p[1];
    }
    p += 2;
  }
  if (n == 0) {
    RtFree(out);
    return nullptr;
  }
  out[n] = 0;
  return out;
}
