// Showing the common dialog: the file dialogs, the font dialog and help.
// Every dialog is modal for the program: its owner is the program's active
// top-level window. Cancelling, closing or a dialog error changes nothing.
#include "ui/commondlg/commondlg_open.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <string>

#include "runtime/gbk_boundary.h"
#include "runtime/gbk_lead_byte.h"
#include "runtime/runtime.h"
#include "ui/commondlg/commondlg_filter.h"
#include "ui/commondlg/commondlg_unit.h"

namespace {

const char* NullIfEmpty(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }

// A modal dialog runs a message loop: by its end the unit's window may have
// been destroyed, and the unit with it. Only the saved handle is safe to ask.
bool StillAlive(HWND hwnd, const CommonDialogUnit* unit) { return CommonDialogFromWindow(hwnd) == unit; }

HWND OwnerWindow(const CommonDialogUnit* unit) {
  HWND active = GetActiveWindow();
  if (!active) active = unit->hwnd;
  return GetAncestor(active, GA_ROOT);
}

bool RunFileDialog(CommonDialogUnit* unit) {
  const HWND hwnd = unit->hwnd;
  const CommonDialogSettings s = unit->settings;
  std::string filter = ToWin32Filter(s.filter.c_str());
  FileDialogSettings d;
  d.owner = OwnerWindow(unit);
  d.filter = filter.empty() ? nullptr : filter.data();
  d.filterLength = filter.size();
  d.filterIndex = filter.empty() ? 0 : static_cast<DWORD>(s.initialFilter < 0 ? 1 : s.initialFilter + 1);
  d.fileName = s.fileName.c_str();
  d.initialDirectory = s.initialDirectory.c_str();
  d.title = s.title.c_str();
  d.defaultExtension = s.defaultExtension.c_str();
  d.flags = OFN_HIDEREADONLY;
  if (s.createPrompt) d.flags |= OFN_CREATEPROMPT;
  if (s.fileMustExist) d.flags |= OFN_FILEMUSTEXIST;
  if (s.overwritePrompt) d.flags |= OFN_OVERWRITEPROMPT;
  if (s.pathMustExist) d.flags |= OFN_PATHMUSTEXIST;
  if (s.noChangeDirectory) d.flags |= OFN_NOCHANGEDIR;

  std::string chosen;
  if (!ShowFileDialogGbk(s.kind == kDialogSave, d, &chosen)) return false;
  if (StillAlive(hwnd, unit)) unit->settings.fileName = chosen;
  return true;
}

// Sizes are in points; LOGFONT heights are negative character heights in
// pixels of the screen.
int PointsToHeight(int points) {
  HDC dc = GetDC(nullptr);
  int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  return -MulDiv(points, dpi, 72);
}

bool RunFontDialog(CommonDialogUnit* unit) {
  const HWND hwnd = unit->hwnd;
  const CommonDialogSettings before = unit->settings;
  LOGFONTA lf{};
  memcpy(lf.lfFaceName, before.faceName.data(), WholeCharacterPrefix(before.faceName, sizeof lf.lfFaceName - 1));
  lf.lfHeight = PointsToHeight(before.pointSize);
  lf.lfWeight = before.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = before.italic;
  lf.lfStrikeOut = before.strikeOut;
  lf.lfUnderline = before.underline;
  lf.lfCharSet = DEFAULT_CHARSET;

  COLORREF color = before.fontColor;
  int pointTenths = 0;
  if (!ChooseFontGbk(OwnerWindow(unit), CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT, &lf, &color,
                     &pointTenths))
    return false;
  if (!StillAlive(hwnd, unit)) return true;
  CommonDialogSettings& s = unit->settings;
  s.fontColor = color;
  s.bold = lf.lfWeight >= FW_BOLD;
  s.italic = lf.lfItalic != 0;
  s.strikeOut = lf.lfStrikeOut != 0;
  s.underline = lf.lfUnderline != 0;
  s.faceName = lf.lfFaceName;
  s.pointSize = (pointTenths + 5) / 10;
  return true;
}

bool RunHelp(CommonDialogUnit* unit) {
  const CommonDialogSettings& s = unit->settings;
  HWND window = GetAncestor(unit->hwnd, GA_ROOT);
  if (!window || !IsWindow(window)) return false;
  std::string file = s.helpFile.empty() ? RtProgramHelpFile() : s.helpFile;
  if (s.helpCommand == 4 || s.helpCommand == 5) {
    WinHelpGbk(window, NullIfEmpty(file), s.helpCommand == 4 ? HELP_HELPONHELP : HELP_QUIT, 0);
    return true;
  }
  DWORD attributes = FileAttributesGbk(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  UINT command = HELP_FINDER;
  ULONG_PTR data = 0;
  switch (s.helpCommand) {
    case 1:
    case 2:
      if (s.helpContext != 0) {
        command = s.helpCommand == 1 ? HELP_CONTEXT : HELP_CONTEXTPOPUP;
        data = static_cast<ULONG_PTR>(static_cast<uint32_t>(s.helpContext));
      }
      break;
    case 3: command = HELP_FORCEFILE; break;
    default: break;
  }
  WinHelpGbk(window, file.c_str(), command, data);
  return true;
}

}  // namespace

void CommonDialogOpen(ArgValue* result, int argc, ArgValue* args) {
  result->type = kTypeBool;
  if (argc < 1) return;
  auto object = reinterpret_cast<UnitObject*>(RuntimeNotify(
      kNotifyResolveUnitMandatory, static_cast<intptr_t>(args[0].v.w.lo), static_cast<intptr_t>(args[0].v.w.hi)));
  CommonDialogUnit* unit = AsCommonDialog(object);
  if (!unit) return;
  bool confirmed = false;
  switch (unit->settings.kind) {
    case kDialogOpen:
    case kDialogSave: confirmed = RunFileDialog(unit); break;
    case kDialogFont: confirmed = RunFontDialog(unit); break;
    default: confirmed = RunHelp(unit); break;
  }
  result->v.i32 = confirmed ? 1 : 0;
}
