// OnMainWindowCreated: where the server's database lies, the path shown,
// the field lists preset, the machines loaded. OnBrowseClicked: another
// database file, picked by the user, replaces the list.
#include "app/startup.h"

#include <cstring>

#include "app/globals.h"
#include "app/handler_table.h"
#include "app/load_machines.h"
#include "app/runtime_calls.h"
#include "commands/core_commands.h"
#include "ui/combo/combo_unit.h"
#include "ui/commondlg/commondlg_open.h"
#include "ui/commondlg/commondlg_unit.h"
#include "ui/edit/edit_unit.h"

namespace {

constexpr const char* kImagePathItem = "SYSTEM\\CurrentControlSet\\Services\\quillsvc64\\ImagePath";
constexpr int kLocalMachineRoot = 4;

// The text between a leading quote and the next one ("\"D:\\a b\\x.exe\" -s"
// gives D:\a b\x.exe); an unquoted path as it is. A new text.
char* Unquoted(const char* path) {
  if (path[0] != '"') return RtCopyText(path);
  const char* end = strchr(path + 1, '"');
  return RtCopyText(path + 1, end ? static_cast<int32_t>(end - path - 1) : RtTextLength(path + 1));
}

void ShowDatabasePath() { WriteTextProperty(kPathEditId, kEditContent, DatabasePath ? DatabasePath : ""); }

}  // namespace

char* DatabasePathFromImagePath(const char* imagePath) {
  if (RtTextLength(imagePath) == 0) return nullptr;
  char* unquoted = Unquoted(imagePath);
  auto pieces = AsArray(CallCore(SplitText, {TextArg(unquoted ? unquoted : ""), TextArg("\\"), OmittedArg()}));
  RtFree(unquoted);
  void* first;
  int32_t count = RtArrayCountOrNull(pieces, &first);
  auto texts = static_cast<char**>(first);
  char* path = nullptr;
  // Fewer than two pieces (no backslash, or only a trailing one) name no
  // folder: the path stays empty and the open fails with its message.
  if (count >= 2) path = RtConcat({texts[0], "\\", texts[1], "\\config\\quillnode.db"});
  for (int32_t i = 0; i < count; i++) RtFree(texts[i]);
  RtFree(pieces);
  return path;
}

HandlerResult OnMainWindowCreated() {
  char* imagePath = AsText(CallCore(ReadRegistryText, {IntArg(kLocalMachineRoot), TextArg(kImagePathItem), OmittedArg()}));
  if (RtTextLength(imagePath) > 0) Assign(DatabasePath, DatabasePathFromImagePath(imagePath));
  RtFree(imagePath);
  ShowDatabasePath();
  // Each field list starts at the field of its place: name, MAC, IP.
  WriteIntProperty(kCombo1Id, kComboSelection, 0);
  WriteIntProperty(kCombo2Id, kComboSelection, 1);
  WriteIntProperty(kCombo3Id, kComboSelection, 2);
  LoadMachines();
  return NoValue();
}

HandlerResult OnBrowseClicked() {
  WriteTextProperty(kOpenDialogId, kDialogFilter, "quillnode.db|quillnode.db");
  if (CallCore(CommonDialogOpen, {UnitArg(kOpenDialogId, kCommonDialogTypeCode)}) != 1) return NoValue();
  Assign(DatabasePath, ReadTextProperty(kOpenDialogId, kDialogFileName));
  ShowDatabasePath();
  // The list follows the chosen file: the old rows and counts go first.
  ReloadMachines();
  return NoValue();
}
