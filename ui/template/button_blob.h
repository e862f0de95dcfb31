// The button's PropertyBlob (highest version 1) and its defaults.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/template/byte_writer.h"

struct ButtonProps {
  static constexpr uint32_t kHighestVersion = 1;
  uint32_t version = kHighestVersion;
  uint32_t defaultButton = 0;   // 9
  uint32_t hAlign = 1;          // 11: 0 left, 1 centre, 2 right
  uint32_t vAlign = 1;          // 12: 0 top, 1 centre, 2 bottom
  std::vector<uint8_t> picture; // 8
  std::vector<uint8_t> font;    // 13
  std::string caption = "按钮"; // 10
};

constexpr void EncodeButtonProps(ByteWriter& w, const ButtonProps& p) {
  for (uint32_t v : {p.version, p.defaultButton, p.hAlign, p.vAlign}) w.U32(v);
  w.CountedBytes(p.picture);
  w.CountedBytes(p.font);
  w.CountedText(p.caption);
}

constexpr std::vector<uint8_t> EncodeButtonProps(const ButtonProps& p) {
  ByteWriter w;
  EncodeButtonProps(w, p);
  return w.Take();
}

bool DecodeButtonProps(std::span<const uint8_t> blob, ButtonProps& out);
