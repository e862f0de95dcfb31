// The label's PropertyBlob (highest version 2) and its defaults.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/template/blob_codec.h"
#include "ui/template/window_blob.h"

struct LabelProps {
  static constexpr uint32_t kHighestVersion = 2;
  static constexpr uint32_t kMinGradientBorderWidth = 5;
  uint32_t version = kHighestVersion;
  uint32_t textEffect = 0;            // 9: 0 none, 1 raised, 2 sunken, 3 shadow
  uint32_t gradientBorderWidth = 8;   // 11: at least 5
  uint32_t border = 0;                // 10: 0 none ... 6 painted gradient frame
  uint32_t borderColors[3] = {0x808080, 0xFFFFFF, 0x808080};    // 12, 13, 14
  uint32_t textColor = 0x000000;      // 16
  uint32_t backColor = kColorButtonFace;  // 17
  uint32_t pictureMode = 1;           // 19
  uint32_t gradientMode = 0;          // 20: 0 none
  uint32_t gradientColors[3] = {0x808080, 0xFFFFFF, 0x808080};  // 21, 22, 23
  uint32_t hAlign = 0;                // 24: 0 left, 1 centre, 2 right
  uint32_t vAlign = 1;                // 26: 0 top, 1 centre, 2 bottom
  uint32_t wordWrap = 0;              // 25
  std::vector<uint8_t> font;          // 15: empty or one LOGFONTA
  std::vector<uint8_t> picture;       // 18
  std::string caption = "标签";       // 8
  std::string text27, text28;         // 27, 28 (version 2)

  template <class Io, class Self>
  static constexpr bool Fields(Io& io, Self& p) {
    return io.Fields(p.textEffect, p.gradientBorderWidth, p.border, p.borderColors, p.textColor,
                     p.backColor, p.pictureMode, p.gradientMode, p.gradientColors, p.hAlign,
                     p.vAlign, p.wordWrap, p.font, p.picture, p.caption) &&
           (p.version < 2 || io.Fields(p.text27, p.text28));
  }
};

// The frame width is a signed number of pixels: a negative one is below
// the minimum like any other small one.
constexpr uint32_t AtLeastMinimumFrameWidth(uint32_t width) {
  constexpr auto kMin = static_cast<int32_t>(LabelProps::kMinGradientBorderWidth);
  return static_cast<int32_t>(width) < kMin ? LabelProps::kMinGradientBorderWidth : width;
}

constexpr std::vector<uint8_t> EncodeLabelProps(const LabelProps& p) { return EncodeBlob(p); }

// A frame width below the minimum reads as the minimum.
inline bool DecodeLabelProps(std::span<const uint8_t> blob, LabelProps& out) {
  if (!DecodeBlob(blob, out)) return false;
  out.gradientBorderWidth = AtLeastMinimumFrameWidth(out.gradientBorderWidth);
  return true;
}
