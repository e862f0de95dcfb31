// The common dialog's properties: its blob, and plain storage with clamps.
// Nothing here touches a window, so writing never re-creates the unit.
#include <algorithm>
#include <cstring>

#include "runtime/heap.h"
#include "ui/commondlg/commondlg_unit.h"

namespace {

// Property indices as the program numbers them.
enum : int {
  kKind = 8, kTitle, kFileName, kFilter, kInitialFilter, kInitialDirectory, kDefaultExtension,
  kCreatePrompt, kFileMustExist, kOverwritePrompt, kPathMustExist, kNoChangeDirectory,
  kFontColor, kBold, kItalic, kStrikeOut, kUnderline, kFaceName, kPointSize, kHelpFile,
  kHelpCommand, kHelpContext,
};
static_assert(kHelpContext == 29);

int32_t ClampKind(int32_t v) { return std::clamp(v, 0, 3); }
int32_t ClampHelpCommand(int32_t v) { return std::clamp(v, 0, 5); }
int32_t NotNegative(int32_t v) { return std::max(v, 0); }

const char* TextOrNull(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }

}  // namespace

// The numbers come first, in the blob's own order, then the texts.
bool ReadCommonDialogBlob(const uint8_t* blob, int32_t length, CommonDialogSettings* out) {
  *out = CommonDialogSettings{};
  if (!blob || length <= 0) return true;
  BlobReader r(blob, length);
  CommonDialogSettings s;
  uint32_t version = r.U32();
  if (!r.ok() || version > kCommonDialogBlobVersion) return false;
  // Values outside their ranges are brought in as a write would.
  s.kind = ClampKind(r.I32());
  s.initialFilter = NotNegative(r.I32());
  s.createPrompt = r.Bool();
  s.fileMustExist = r.Bool();
  s.overwritePrompt = r.Bool();
  s.pathMustExist = r.Bool();
  s.noChangeDirectory = r.Bool();
  s.fontColor = r.U32();
  s.bold = r.Bool();
  s.italic = r.Bool();
  s.strikeOut = r.Bool();
  s.underline = r.Bool();
  s.pointSize = NotNegative(r.I32());
  s.helpCommand = ClampHelpCommand(r.I32());
  s.helpContext = r.I32();
  s.title = r.CountedText();
  s.fileName = r.CountedText();
  s.filter = r.CountedText();
  s.initialDirectory = r.CountedText();
  s.defaultExtension = r.CountedText();
  s.faceName = r.CountedText();
  s.helpFile = r.CountedText();
  if (!r.ok()) return false;
  *out = std::move(s);
  return true;
}

Bytes WriteCommonDialogBlob(const CommonDialogSettings& s) {
  BlobWriter w;
  w.U32(kCommonDialogBlobVersion);
  w.I32(s.kind);
  w.I32(s.initialFilter);
  w.Bool(s.createPrompt);
  w.Bool(s.fileMustExist);
  w.Bool(s.overwritePrompt);
  w.Bool(s.pathMustExist);
  w.Bool(s.noChangeDirectory);
  w.U32(s.fontColor);
  w.Bool(s.bold);
  w.Bool(s.italic);
  w.Bool(s.strikeOut);
  w.Bool(s.underline);
  w.I32(s.pointSize);
  w.I32(s.helpCommand);
  w.I32(s.helpContext);
  w.CountedText(s.title);
  w.CountedText(s.fileName);
  w.CountedText(s.filter);
  w.CountedText(s.initialDirectory);
  w.CountedText(s.defaultExtension);
  w.CountedText(s.faceName);
  w.CountedText(s.helpFile);
  return w.take();
}

int SetCommonDialogProperty(UnitObject* object, int typeIndex, const PropValue* v, void* reserved) {
  CommonDialogUnit* unit = AsCommonDialog(object);
  if (!unit) return 0;
  CommonDialogSettings& s = unit->settings;
  const char* text = v->text ? v->text : "";
  const bool on = v->i32 != 0;
  switch (typeIndex + 8) {
    case kKind: s.kind = ClampKind(v->i32); break;
    case kTitle: s.title = text; break;
    case kFileName: s.fileName = text; break;
    case kFilter: s.filter = text; break;
    case kInitialFilter: s.initialFilter = NotNegative(v->i32); break;
    case kInitialDirectory: s.initialDirectory = text; break;
    case kDefaultExtension: s.defaultExtension = text; break;
    case kCreatePrompt: s.createPrompt = on; break;
    case kFileMustExist: s.fileMustExist = on; break;
    case kOverwritePrompt: s.overwritePrompt = on; break;
    case kPathMustExist: s.pathMustExist = on; break;
    case kNoChangeDirectory: s.noChangeDirectory = on; break;
    case kFontColor: s.fontColor = v->u32; break;
    case kBold: s.bold = on; break;
    case kItalic: s.italic = on; break;
    case kStrikeOut: s.strikeOut = on; break;
    case kUnderline: s.underline = on; break;
    case kFaceName: s.faceName = text; break;
    case kPointSize: s.pointSize = NotNegative(v->i32); break;
    case kHelpFile: s.helpFile = text; break;
    case kHelpCommand: s.helpCommand = ClampHelpCommand(v->i32); break;
    case kHelpContext: s.helpContext = v->i32; break;
    default: break;
  }
  return 0;
}

int GetCommonDialogProperty(UnitObject* object, int typeIndex, PropValue* v) {
  CommonDialogUnit* unit = AsCommonDialog(object);
  if (!unit) return 0;
  const CommonDialogSettings& s = unit->settings;
  switch (typeIndex + 8) {
    case kKind: v->i32 = s.kind; break;
    case kTitle: v->text = TextOrNull(s.title); break;
    case kFileName: v->text = TextOrNull(s.fileName); break;
    case kFilter: v->text = TextOrNull(s.filter); break;
    case kInitialFilter: v->i32 = s.initialFilter; break;
    case kInitialDirectory: v->text = TextOrNull(s.initialDirectory); break;
    case kDefaultExtension: v->text = TextOrNull(s.defaultExtension); break;
    case kCreatePrompt: v->i32 = s.createPrompt; break;
    case kFileMustExist: v->i32 = s.fileMustExist; break;
    case kOverwritePrompt: v->i32 = s.overwritePrompt; break;
    case kPathMustExist: v->i32 = s.pathMustExist; break;
    case kNoChangeDirectory: v->i32 = s.noChangeDirectory; break;
    case kFontColor: v->u32 = s.fontColor; break;
    case kBold: v->i32 = s.bold; break;
    case kItalic: v->i32 = s.italic; break;
    case kStrikeOut: v->i32 = s.strikeOut; break;
    case kUnderline: v->i32 = s.underline; break;
    case kFaceName: v->text = TextOrNull(s.faceName); break;
    case kPointSize: v->i32 = s.pointSize; break;
    case kHelpFile: v->text = TextOrNull(s.helpFile); break;
    case kHelpCommand: v->i32 = s.helpCommand; break;
    case kHelpContext: v->i32 = s.helpContext; break;
    default: return 0;
  }
  return 1;
}

bool GetAllCommonDialogProperties(UnitObject* object, uint8_t** blob, int32_t* length) {
  CommonDialogUnit* unit = AsCommonDialog(object);
  if (!unit) return false;
  Bytes bytes = WriteCommonDialogBlob(unit->settings);
  *blob = static_cast<uint8_t*>(RtAlloc(static_cast<uint32_t>(bytes.size())));
  memcpy(*blob, bytes.data(), bytes.size());
  *length = static_cast<int32_t>(bytes.size());
  return true;
}
