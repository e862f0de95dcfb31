// The common dialog's PropertyBlob (highest version 1): its settings, the
// blob's layout and the ranges the unit keeps them in. The numbers come
// first, in the blob's own order, then the texts; a length of 0 or less in
// front of a text reads as an empty text.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/template/blob_codec.h"

enum : int32_t { kDialogOpen = 0, kDialogSave = 1, kDialogFont = 2, kDialogHelp = 3 };

// Properties 8-29 as stored; the comments give the property indices.
struct CommonDialogSettings {
  static constexpr uint32_t kHighestVersion = 1;  // versions 0 and 1 share one layout

  int32_t kind = kDialogOpen;     // 8: 0-3
  std::string title;              // 9
  std::string fileName;           // 10: after a confirmed file dialog, the chosen path
  std::string filter;             // 11: "description|pattern|..."
  int32_t initialFilter = 0;      // 12: 0-based, never negative
  std::string initialDirectory;   // 13
  std::string defaultExtension;   // 14
  bool createPrompt = false;      // 15: OFN_CREATEPROMPT
  bool fileMustExist = true;      // 16: OFN_FILEMUSTEXIST
  bool overwritePrompt = true;    // 17: OFN_OVERWRITEPROMPT
  bool pathMustExist = true;      // 18: OFN_PATHMUSTEXIST
  bool noChangeDirectory = false; // 19: OFN_NOCHANGEDIR
  uint32_t fontColor = 0;         // 20: a COLORREF
  bool bold = false;              // 21
  bool italic = false;            // 22
  bool strikeOut = false;         // 23
  bool underline = false;         // 24
  std::string faceName;           // 25
  int32_t pointSize = 0;          // 26: never negative
  std::string helpFile;           // 27
  int32_t helpCommand = 0;        // 28: 0-5
  int32_t helpContext = 0;        // 29

  // The ranges that a property write and a decoded blob are brought into.
  static constexpr int32_t ClampKind(int32_t v) { return std::clamp(v, 0, 3); }
  static constexpr int32_t ClampHelpCommand(int32_t v) { return std::clamp(v, 0, 5); }
  static constexpr int32_t NotNegative(int32_t v) { return std::max(v, 0); }

  template <class Io, class Self>
  static constexpr bool Fields(Io& io, Self& s) {
    return io.Fields(s.kind, s.initialFilter, s.createPrompt, s.fileMustExist, s.overwritePrompt,
                     s.pathMustExist, s.noChangeDirectory, s.fontColor, s.bold, s.italic,
                     s.strikeOut, s.underline, s.pointSize, s.helpCommand, s.helpContext, s.title,
                     s.fileName, s.filter, s.initialDirectory, s.defaultExtension, s.faceName,
                     s.helpFile);
  }
};

// Always the version-1 layout.
constexpr std::vector<uint8_t> EncodeCommonDialogSettings(const CommonDialogSettings& s) {
  return EncodeBlob(s);
}

// An empty blob gives the defaults; values outside their ranges are brought
// in as a write would. False for a newer version or a blob that ends early.
inline bool DecodeCommonDialogSettings(std::span<const uint8_t> blob, CommonDialogSettings& out) {
  if (!DecodeBlob(blob, out, ByteReader::Lengths::kNotPositiveIsEmpty)) return false;
  out.kind = CommonDialogSettings::ClampKind(out.kind);
  out.initialFilter = CommonDialogSettings::NotNegative(out.initialFilter);
  out.pointSize = CommonDialogSettings::NotNegative(out.pointSize);
  out.helpCommand = CommonDialogSettings::ClampHelpCommand(out.helpCommand);
  return true;
}
