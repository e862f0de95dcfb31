// The label's PropertyBlob (highest version 2) and its defaults.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/template/byte_writer.h"
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
};

// The frame width is a signed number of pixels: a negative one is below
// the minimum like any other small one.
constexpr uint32_t AtLeastMinimumFrameWidth(uint32_t width) {
  constexpr auto kMin = static_cast<int32_t>(LabelProps::kMinGradientBorderWidth);
  return static_cast<int32_t>(width) < kMin ? LabelProps::kMinGradientBorderWidth : width;
}

constexpr void EncodeLabelProps(ByteWriter& w, const LabelProps& p) {
  for (uint32_t v : {p.version, p.textEffect, p.gradientBorderWidth, p.border, p.borderColors[0],
                     p.borderColors[1], p.borderColors[2], p.textColor, p.backColor, p.pictureMode,
                     p.gradientMode, p.gradientColors[0], p.gradientColors[1],
                     p.gradientColors[2], p.hAlign, p.vAlign, p.wordWrap})
    w.U32(v);
  w.CountedBytes(p.font);
  w.CountedBytes(p.picture);
  w.CountedText(p.caption);
  if (p.version >= 2) {
    w.CountedText(p.text27);
    w.CountedText(p.text28);
  }
}

constexpr std::vector<uint8_t> EncodeLabelProps(const LabelProps& p) {
  ByteWriter w;
  EncodeLabelProps(w, p);
  return w.Take();
}

bool DecodeLabelProps(std::span<const uint8_t> blob, LabelProps& out);
