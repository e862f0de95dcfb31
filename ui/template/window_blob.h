// The window's PropertyBlob (highest version 6) and its defaults. The
// numbers in the comments are the window's property indices.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/template/byte_writer.h"

inline constexpr uint32_t kColorButtonFace = 0xFF000000;  // GetSysColor(COLOR_BTNFACE) when drawn

struct WindowProps {
  static constexpr uint32_t kHighestVersion = 6;
  uint32_t version = kHighestVersion;
  uint32_t borderStyle = 2;           // 9: 0 none, 1 resizable, 2 fixed, 3-6 tool / client edge
  uint32_t pictureMode = 1;           // 12
  uint32_t backColor = kColorButtonFace;  // 10
  uint32_t maxButton = 0;             // 16
  uint32_t minButton = 1;             // 17
  uint32_t controlBox = 1;            // 15
  uint32_t startPosition = 1;         // 18: 0 as designed, 1 centred, 2 minimized, 3 maximized
  uint32_t closeButton = 1;           // 19
  uint32_t prop14 = 0;                // 14: carried through
  uint32_t enterMovesFocus = 0;       // 21
  uint32_t escapeCloses = 1;          // 22
  uint32_t f1Help = 0;                // 23
  uint32_t helpContext = 0;           // 25
  uint32_t ownTaskbarButton = 1;      // 26 (version >= 2)
  uint32_t dragMove = 0;              // 27 (version >= 3)
  uint32_t prop28 = 0;                // 28 (version >= 3)
  uint32_t topmost = 0;               // 29 (version >= 4)
  uint32_t prop30 = 0;                // 30 (version >= 5)
  std::string className;              // 31 (version 6); empty = "WTWindow"
  std::vector<uint8_t> picture;       // 11
  std::vector<uint8_t> icon;          // 20
  std::vector<uint8_t> sound;         // 13
  std::string title;                  // 8
  std::string helpFile;               // 24
};

// Writes the fields that props.version has.
constexpr void EncodeWindowProps(ByteWriter& w, const WindowProps& p) {
  for (uint32_t v : {p.version, p.borderStyle, p.pictureMode, p.backColor, p.maxButton,
                     p.minButton, p.controlBox, p.startPosition, p.closeButton, p.prop14,
                     p.enterMovesFocus, p.escapeCloses, p.f1Help, p.helpContext})
    w.U32(v);
  if (p.version >= 2) w.U32(p.ownTaskbarButton);
  if (p.version >= 3) {
    w.U32(p.dragMove);
    w.U32(p.prop28);
  }
  if (p.version >= 4) w.U32(p.topmost);
  if (p.version >= 5) w.U32(p.prop30);
  if (p.version >= 6) w.CountedText(p.className);
  w.CountedBytes(p.picture);
  w.CountedBytes(p.icon);
  w.CountedBytes(p.sound);
  w.CountedText(p.title);
  w.CountedText(p.helpFile);
}

constexpr std::vector<uint8_t> EncodeWindowProps(const WindowProps& p) {
  ByteWriter w;
  EncodeWindowProps(w, p);
  return w.Take();
}

// Empty blob: all defaults. False for a version above 6 or a blob that ends
// early; out is then unspecified.
bool DecodeWindowProps(std::span<const uint8_t> blob, WindowProps& out);
