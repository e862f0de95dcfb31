// The common dialog's properties: its blob, and plain storage with clamps.
// Nothing here touches a window, so writing never re-creates the unit.
#include <algorithm>

#include "ui/commondlg/commondlg_unit.h"
#include "ui/framework/unit_control.h"

namespace {

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
  switch (PropertyNumber(typeIndex)) {
    case kDialogKind: s.kind = ClampKind(v->i32); break;
    case kDialogTitle: s.title = text; break;
    case kDialogFileName: s.fileName = text; break;
    case kDialogFilter: s.filter = text; break;
    case kDialogInitialFilter: s.initialFilter = NotNegative(v->i32); break;
    case kDialogInitialDirectory: s.initialDirectory = text; break;
    case kDialogDefaultExtension: s.defaultExtension = text; break;
    case kDialogCreatePrompt: s.createPrompt = on; break;
    case kDialogFileMustExist: s.fileMustExist = on; break;
    case kDialogOverwritePrompt: s.overwritePrompt = on; break;
    case kDialogPathMustExist: s.pathMustExist = on; break;
    case kDialogNoChangeDirectory: s.noChangeDirectory = on; break;
    case kDialogFontColor: s.fontColor = v->u32; break;
    case kDialogBold: s.bold = on; break;
    case kDialogItalic: s.italic = on; break;
    case kDialogStrikeOut: s.strikeOut = on; break;
    case kDialogUnderline: s.underline = on; break;
    case kDialogFaceName: s.faceName = text; break;
    case kDialogPointSize: s.pointSize = NotNegative(v->i32); break;
    case kDialogHelpFile: s.helpFile = text; break;
    case kDialogHelpCommand: s.helpCommand = ClampHelpCommand(v->i32); break;
    case kDialogHelpContext: s.helpContext = v->i32; break;
    default: break;
  }
  return 0;
}

int GetCommonDialogProperty(UnitObject* object, int typeIndex, PropValue* v) {
  CommonDialogUnit* unit = AsCommonDialog(object);
  if (!unit) return 0;
  const CommonDialogSettings& s = unit->settings;
  switch (PropertyNumber(typeIndex)) {
    case kDialogKind: v->i32 = s.kind; break;
    case kDialogTitle: v->text = TextOrNull(s.title); break;
    case kDialogFileName: v->text = TextOrNull(s.fileName); break;
    case kDialogFilter: v->text = TextOrNull(s.filter); break;
    case kDialogInitialFilter: v->i32 = s.initialFilter; break;
    case kDialogInitialDirectory: v->text = TextOrNull(s.initialDirectory); break;
    case kDialogDefaultExtension: v->text = TextOrNull(s.defaultExtension); break;
    case kDialogCreatePrompt: v->i32 = s.createPrompt; break;
    case kDialogFileMustExist: v->i32 = s.fileMustExist; break;
    case kDialogOverwritePrompt: v->i32 = s.overwritePrompt; break;
    case kDialogPathMustExist: v->i32 = s.pathMustExist; break;
    case kDialogNoChangeDirectory: v->i32 = s.noChangeDirectory; break;
    case kDialogFontColor: v->u32 = s.fontColor; break;
    case kDialogBold: v->i32 = s.bold; break;
    case kDialogItalic: v->i32 = s.italic; break;
    case kDialogStrikeOut: v->i32 = s.strikeOut; break;
    case kDialogUnderline: v->i32 = s.underline; break;
    case kDialogFaceName: v->text = TextOrNull(s.faceName); break;
    case kDialogPointSize: v->i32 = s.pointSize; break;
    case kDialogHelpFile: v->text = TextOrNull(s.helpFile); break;
    case kDialogHelpCommand: v->i32 = s.helpCommand; break;
    case kDialogHelpContext: v->i32 = s.helpContext; break;
    default: return 0;
  }
  return 1;
}

bool GetAllCommonDialogProperties(UnitObject* object, uint8_t** blob, int32_t* length) {
  CommonDialogUnit* unit = AsCommonDialog(object);
  if (!unit) return false;
  return HandOverBlob(WriteCommonDialogBlob(unit->settings), blob, length);
}
