// Conversions between GBK, the program's text, and UTF-8, SQLite's, and the
// double-byte-aware case-insensitive comparison that the database units use
// for names. The UTF-8 side is this file's; the GBK side is the text
// boundary's (runtime/gbk_boundary_conversion.h), which these go through.
#pragma once

#include <cstdlib>
#include <memory>

// A malloc'd, NUL-terminated buffer; null means the conversion failed.
struct FreeDeleter {
  template <class T>
  void operator()(T* p) const { free(p); }
};
using OwnedText = std::unique_ptr<char[], FreeDeleter>;

// GBK to UTF-8. length -1 reads up to the NUL; a null text or length 0
// gives an empty buffer. Fails (null) when the bytes are not valid GBK,
// e.g. a lead byte without its trail byte. UTF-16 surrogate halves are
// encoded one by one, never combined.
OwnedText ToUtf8(const char* text, int length = -1);

// UTF-8 to GBK; the same length rules. Accepts 1-, 2- and 3-byte sequences
// only; a bad lead or continuation byte, a sequence cut off by the end, or a
// character GBK lacks makes it fail (null).
OwnedText FromUtf8(const char* text, int length = -1);

// UTF-8 to GBK for field values, which must never be lost to a bad byte:
// the same length rules, but each malformed byte, each NUL, each 4-byte
// character and each character GBK lacks becomes '?'. Null only when out of
// memory.
OwnedText FromUtf8Lossy(const char* text, int length = -1);

// 0 when equal, else -1 or 1 by the first differing byte (unsigned) after
// ASCII letters are capitalised. A byte >= 0x80 and the byte after it form
// one double-byte character and are compared unchanged, so a trail byte
// that looks like a small letter is never folded. Null equals "".
int CompareNoCase(const char* a, const char* b);
