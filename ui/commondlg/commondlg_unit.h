// The common dialog unit: a non-visual unit that keeps the settings of one
// standard dialog (open file, save file, font, help) and shows it when the
// program runs its "open" command.
//
// Its only window is a hidden child of class "_VX_CommonDlg", which gives
// the unit a place among the window's controls; the object ends with it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/framework/unit_creation.h"
#include "ui/template/common_dialog_blob.h"
#include "ui/core_library.h"
#include "ui/unit_type.h"


enum CommonDialogProperty : int {
  kDialogKind = kFirstTypeProperty, kDialogTitle, kDialogFileName, kDialogFilter,
  kDialogInitialFilter, kDialogInitialDirectory, kDialogDefaultExtension, kDialogCreatePrompt,
  kDialogFileMustExist, kDialogOverwritePrompt, kDialogPathMustExist, kDialogNoChangeDirectory,
  kDialogFontColor, kDialogBold, kDialogItalic, kDialogStrikeOut, kDialogUnderline,
  kDialogFaceName, kDialogPointSize, kDialogHelpFile, kDialogHelpCommand, kDialogHelpContext,
};

struct CommonDialogUnit : UnitObject {
  CommonDialogUnit() : UnitObject{} {}
  CommonDialogUnit(const CommonDialogUnit&) = delete;
  CommonDialogUnit& operator=(const CommonDialogUnit&) = delete;

  CommonDialogSettings settings;
};

const UnitTypeInfo& CommonDialogUnitType();

// The common dialog object behind a unit object; null for any other unit.
CommonDialogUnit* AsCommonDialog(UnitObject* unit);
// The object of a "_VX_CommonDlg" window, or null (also once it has ended).
CommonDialogUnit* CommonDialogFromWindow(HWND hwnd);

// The type's operations.
UnitObject* CreateCommonDialog(const UnitCreation& c);
SetPropertyFunction SetCommonDialogProperty;
GetPropertyFunction GetCommonDialogProperty;
GetAllPropertiesFunction GetAllCommonDialogProperties;
