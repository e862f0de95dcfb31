// Which bytes of a GBK text start a double-byte character, by the one rule
// that the runtime and all its libraries share: every byte with the high
// bit set is a lead byte, whatever the code page says, and the byte after
// it belongs to the same character. A trail byte may look like ASCII (0x5C
// "\", 0x7C "|" and others in 0x40-0x7E), so a scan for such a byte must
// step over whole characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

constexpr bool IsLeadByte(char c) { return (static_cast<unsigned char>(c) & 0x80) != 0; }

// The length in bytes of the character at s[i] of a text of n bytes; a lead
// byte without its trail byte counts as one character.
constexpr size_t CharLengthAt(const char* s, size_t i, size_t n) {
  return IsLeadByte(s[i]) && i + 1 < n ? 2 : 1;
}

// The length of the longest prefix of `text` of at most `room` bytes that
// does not end inside a double-byte character.
constexpr size_t WholeCharacterPrefix(std::string_view text, size_t room) {
  size_t i = 0;
  while (i < text.size()) {
    size_t step = CharLengthAt(text.data(), i, text.size());
    if (i + step > room) break;
    i += step;
  }
  return i;
}

// Offset of the last byte b of a NUL-ended text that is not the second byte
// of a double-byte character, or -1 when there is none (or no text).
constexpr int32_t LastSingleByte(const char* text, char b) {
  int32_t found = -1;
  if (!text) return found;
  for (int32_t i = 0; text[i];) {
    if (IsLeadByte(text[i]) && text[i + 1]) {
      i += 2;
      continue;
    }
    if (text[i] == b) found = i;
    i++;
  }
  return found;
}
