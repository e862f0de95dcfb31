// The edit box's PropertyBlob (highest version 2) and its defaults.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/template/blob_codec.h"

struct EditProps {
  static constexpr uint32_t kHighestVersion = 2;
  uint32_t version = kHighestVersion;
  uint32_t border = 1;            // 9: as the label's; 1 = client edge
  uint32_t textColor = 0x000000;  // 10
  uint32_t backColor = 0xFFFFFF;  // 11
  uint32_t hideSelection = 1;     // 13
  uint32_t maxLength = 0;         // 14: 0 = the system limit
  uint32_t multiLine = 0;         // 15
  uint32_t scrollBars = 0;        // 16: 1 horizontal, 2 vertical, 3 both
  uint32_t align = 0;             // 17: 0 left, 1 centre, 2 right
  uint32_t inputMode = 0;         // 18: 1 read-only, 2 password
  uint16_t passwordChar = '*';    // 19
  uint32_t caseConversion = 0;    // 20: 1 lower, 2 upper
  uint32_t adjuster = 0;          // 21: non-zero = an up-down control beside it
  uint32_t adjusterLower = 0;     // 22
  uint32_t adjusterUpper = 100;   // 23
  uint32_t selStart = 0;          // 24
  uint32_t selLength = 0;         // 25
  std::vector<uint8_t> font;      // 12
  std::string content;            // 8
  std::string text27, text28;     // 27, 28 (version 2)

  template <class Io, class Self>
  static constexpr bool Fields(Io& io, Self& p) {
    return io.Fields(p.border, p.textColor, p.backColor, p.hideSelection, p.maxLength, p.multiLine,
                     p.scrollBars, p.align, p.inputMode, p.passwordChar, p.caseConversion,
                     p.adjuster, p.adjusterLower, p.adjusterUpper, p.selStart, p.selLength, p.font,
                     p.content) &&
           (p.version < 2 || io.Fields(p.text27, p.text28));
  }
};

constexpr std::vector<uint8_t> EncodeEditProps(const EditProps& p) { return EncodeBlob(p); }
inline bool DecodeEditProps(std::span<const uint8_t> blob, EditProps& out) { return DecodeBlob(blob, out); }
