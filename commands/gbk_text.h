// Byte-level helpers for GBK texts: which bytes start a double-byte
// character, full-width folding, and a backslash search that never stops
// inside a character.
//
// The system treats every byte with the high bit set as a lead byte, whatever
// the code page says; the byte after it (even 0x5C or 0x7C) belongs to the
// same character.
#pragma once

#include <cstdint>

inline bool IsLeadByte(char c) { return (static_cast<unsigned char>(c) & 0x80) != 0; }

// A new RtText holding the text with the full-width forms folded to ASCII:
// the ideographic space to a blank, A3A1..A3FE to 0x21..0x7E, A1AB to "~",
// A1EE and A1EF to "*". Blanks are left out when dropBlanks is set. A lone
// lead byte at the end is dropped. Null when the result is empty; the
// caller frees it with RtFree.
char* FoldFullWidth(const char* text, bool dropBlanks);

// Offset of the last byte b that is not the second byte of a double-byte
// character, or -1 when there is none.
int32_t FindLastSingleByte(const char* text, char b);
