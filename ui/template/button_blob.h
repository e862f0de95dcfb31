// The button's PropertyBlob (highest version 1) and its defaults.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/template/blob_codec.h"

struct ButtonProps {
  static constexpr uint32_t kHighestVersion = 1;
  uint32_t version = kHighestVersion;
  uint32_t defaultButton = 0;   // 9
  uint32_t hAlign = 1;          // 11: 0 left, 1 centre, 2 right
  uint32_t vAlign = 1;          // 12: 0 top, 1 centre, 2 bottom
  std::vector<uint8_t> picture; // 8
  std::vector<uint8_t> font;    // 13
  std::string caption = "按钮"; // 10

  template <class Io, class Self>
  static constexpr bool Fields(Io& io, Self& p) {
    return io.Fields(p.defaultButton, p.hAlign, p.vAlign, p.picture, p.font, p.caption);
  }
};

constexpr std::vector<uint8_t> EncodeButtonProps(const ButtonProps& p) { return EncodeBlob(p); }
inline bool DecodeButtonProps(std::span<const uint8_t> blob, ButtonProps& out) { return DecodeBlob(blob, out); }
