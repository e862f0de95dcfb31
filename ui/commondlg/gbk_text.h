// Walking GBK texts character by character. A trail byte of a double-byte
// character may look like an ASCII byte ("|", "\\" and others in 0x40-0x7E),
// so scans for such bytes must step over whole characters. Lead bytes are
// those of code page 936 (0x81-0xFE), the rules by which the dialog itself
// reads what it is given; 0x80 there is a character of its own.
#pragma once

#include <cstddef>

constexpr bool IsGbkLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// The length in bytes of the character at s[i] (n = the text's length); a
// lead byte without its trail byte counts as one character.
constexpr size_t GbkCharLength(const char* s, size_t i, size_t n) {
  return IsGbkLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < n ? 2 : 1;
}
