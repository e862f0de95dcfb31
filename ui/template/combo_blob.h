// The combo box's PropertyBlob (highest version 3) and its defaults.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/template/blob_codec.h"

struct ComboProps {
  static constexpr uint32_t kHighestVersion = 3;
  uint32_t version = kHighestVersion;
  uint32_t style = 1;             // 8: 0 simple, 1 editable drop-down, 2 drop-down list
  uint32_t maxLength = 0;         // 10
  uint32_t selStart = 0;          // 11
  uint32_t selLength = 0;         // 12
  uint32_t sorted = 0;            // 14
  uint32_t extraItemHeight = 1;   // 15: pixels above the system's item height
  uint32_t textColor = 0x000000;  // 16
  uint32_t backColor = 0xFFFFFF;  // 17
  int32_t selection = -1;         // 19
  std::vector<uint8_t> font;      // 18
  std::vector<uint8_t> itemData;  // 21: one 32-bit word per item
  std::string content;            // 9
  std::vector<std::string> items; // 20
  std::string text22, text23;     // 22, 23 (version >= 2)
  uint32_t prop24 = 0;            // 24 (version 3)

  template <class Io, class Self>
  static constexpr bool Fields(Io& io, Self& p) {
    return io.Fields(p.style, p.maxLength, p.selStart, p.selLength, p.sorted, p.extraItemHeight,
                     p.textColor, p.backColor, p.selection, p.font, p.itemData, p.content,
                     p.items) &&
           (p.version < 2 || io.Fields(p.text22, p.text23)) &&
           (p.version < 3 || io.Fields(p.prop24));
  }
};

constexpr std::vector<uint8_t> EncodeComboProps(const ComboProps& p) { return EncodeBlob(p); }
inline bool DecodeComboProps(std::span<const uint8_t> blob, ComboProps& out) { return DecodeBlob(blob, out); }
