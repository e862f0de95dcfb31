// The common dialog's properties: plain storage with clamps, and the blob
// of them all.
// Nothing here touches a window, so writing never re-creates the unit.

#include "ui/commondlg/commondlg_unit.h"
#include "ui/framework/unit_control.h"

namespace {

const char* TextOrNull(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }

}  // namespace

int SetCommonDialogProperty(UnitObject* object, int typeIndex, const PropValue* v, void* reserved) {
  CommonDialogUnit* unit = AsCommonDialog(object);
  if (!unit) return 0;
  CommonDialogSettings& s = unit->settings;
  const char* text = v->text ? v->text : "";
  const bool on = v->i32 != 0;
  switch (PropertyNumber(typeIndex)) {
    case kDialogKind: s.kind = CommonDialogSettings::ClampKind(v->i32); break;
    case kDialogTitle: s.title = text; break;
    case kDialogFileName: s.fileName = text; break;
    case kDialogFilter: s.filter = text; break;
    case kDialogInitialFilter: s.initialFilter = CommonDialogSettings::NotNegative(v->i32); break;
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
    case kDialogPointSize: s.pointSize = CommonDialogSettings::NotNegative(v->i32); break;
    case kDialogHelpFile: s.helpFile = text; break;
    case kDialogHelpCommand: s.helpCommand = CommonDialogSettings::ClampHelpCommand(v->i32); break;
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
  return HandOverBlob(EncodeCommonDialogSettings(unit->settings), blob, length);
}
