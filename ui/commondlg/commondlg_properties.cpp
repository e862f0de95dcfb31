// The common dialog's properties: plain storage with clamps, and the blob
// of them all.
// Nothing here touches a window, so writing never re-creates the unit.
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

const char* TextOrNull(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }

}  // namespace

int SetCommonDialogProperty(UnitObject* object, int typeIndex, const PropValue* v, void* reserved) {
  CommonDialogUnit* unit = AsCommonDialog(object);
  if (!unit) return 0;
  CommonDialogSettings& s = unit->settings;
  const char* text = v->text ? v->text : "";
  const bool on = v->i32 != 0;
  switch (typeIndex + 8) {
    case kKind: s.kind = CommonDialogSettings::ClampKind(v->i32); break;
    case kTitle: s.title = text; break;
    case kFileName: s.fileName = text; break;
    case kFilter: s.filter = text; break;
    case kInitialFilter: s.initialFilter = CommonDialogSettings::NotNegative(v->i32); break;
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
    case kPointSize: s.pointSize = CommonDialogSettings::NotNegative(v->i32); break;
    case kHelpFile: s.helpFile = text; break;
    case kHelpCommand: s.helpCommand = CommonDialogSettings::ClampHelpCommand(v->i32); break;
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
  std::vector<uint8_t> bytes = EncodeCommonDialogSettings(unit->settings);
  *blob = static_cast<uint8_t*>(RtAlloc(static_cast<uint32_t>(bytes.size())));
  memcpy(*blob, bytes.data(), bytes.size());
  *length = static_cast<int32_t>(bytes.size());
  return true;
}
