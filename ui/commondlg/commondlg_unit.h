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

#include "ui/listview/blob_stream.h"
#include "ui/unit_type.h"

inline constexpr uint32_t kCommonDialogTypeCode = UnitTypeCode(kCoreLibraryNumber, 30);

enum CommonDialogProperty : int {
  kDialogKind = kFirstTypeProperty, kDialogTitle, kDialogFileName, kDialogFilter,
  kDialogInitialFilter, kDialogInitialDirectory, kDialogDefaultExtension, kDialogCreatePrompt,
  kDialogFileMustExist, kDialogOverwritePrompt, kDialogPathMustExist, kDialogNoChangeDirectory,
  kDialogFontColor, kDialogBold, kDialogItalic, kDialogStrikeOut, kDialogUnderline,
  kDialogFaceName, kDialogPointSize, kDialogHelpFile, kDialogHelpCommand, kDialogHelpContext,
};

inline constexpr uint32_t kCommonDialogBlobVersion = 1;

enum : int32_t { kDialogOpen = 0, kDialogSave = 1, kDialogFont = 2, kDialogHelp = 3 };

// Properties 8-29 as stored; the comments give the property indices.
struct CommonDialogSettings {
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
  COLORREF fontColor = 0;         // 20
  bool bold = false;              // 21
  bool italic = false;            // 22
  bool strikeOut = false;         // 23
  bool underline = false;         // 24
  std::string faceName;           // 25
  int32_t pointSize = 0;          // 26: never negative
  std::string helpFile;           // 27
  int32_t helpCommand = 0;        // 28: 0-5
  int32_t helpContext = 0;        // 29
};

// Decodes a property blob (versions 0 and 1); an empty blob gives the
// defaults. False for a newer version or a blob that ends early.
bool ReadCommonDialogBlob(const uint8_t* blob, int32_t length, CommonDialogSettings* out);
Bytes WriteCommonDialogBlob(const CommonDialogSettings& settings);

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
UnitObject* CreateCommonDialog(const uint8_t* blob, int32_t length, uint32_t style, HWND parent,
                               UINT controlId, HMENU menu, int left, int top, int width, int height,
                               uint32_t windowId, uint32_t unitId, int design, int reserved);
int SetCommonDialogProperty(UnitObject* unit, int typeIndex, const PropValue* value, void* reserved);
int GetCommonDialogProperty(UnitObject* unit, int typeIndex, PropValue* value);
bool GetAllCommonDialogProperties(UnitObject* unit, uint8_t** blob, int32_t* length);
