// The window's PropertyBlob (highest version 6) and its defaults. The
// numbers in the comments are the window's property indices.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/template/blob_codec.h"

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

  // The fields that `version` has.
  template <class Io, class Self>
  static constexpr bool Fields(Io& io, Self& p) {
    return io.Fields(p.borderStyle, p.pictureMode, p.backColor, p.maxButton, p.minButton,
                     p.controlBox, p.startPosition, p.closeButton, p.prop14, p.enterMovesFocus,
                     p.escapeCloses, p.f1Help, p.helpContext) &&
           (p.version < 2 || io.Fields(p.ownTaskbarButton)) &&
           (p.version < 3 || io.Fields(p.dragMove, p.prop28)) &&
           (p.version < 4 || io.Fields(p.topmost)) &&
           (p.version < 5 || io.Fields(p.prop30)) &&
           (p.version < 6 || io.Fields(p.className)) &&
           io.Fields(p.picture, p.icon, p.sound, p.title, p.helpFile);
  }
};

// Writes the fields that props.version has.
constexpr std::vector<uint8_t> EncodeWindowProps(const WindowProps& p) { return EncodeBlob(p); }
// Empty blob: all defaults. False for a version above 6 or a blob that ends
// early; out then holds the defaults.
inline bool DecodeWindowProps(std::span<const uint8_t> blob, WindowProps& out) { return DecodeBlob(blob, out); }
