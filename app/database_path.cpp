#include "app/database_path.h"

#include <cstring>

#include "app/globals.h"
#include "app/handler_table.h"
#include "app/machine_list.h"
#include "app/runtime_calls.h"
#include "commands/core_commands.h"
#include "ui/commondlg/commondlg_open.h"

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

void ShowDatabasePath() {
  WriteTextProperty(kPathEditId, kPropEditContent, DatabasePath ? DatabasePath : "");
}

}  // namespace

char* DatabasePathFromImagePath(const char* imagePath) {
  if (RtTextLength(imagePath) == 0) return nullptr;
  char* unquoted = Unquoted(imagePath);
  auto pieces = AsArray(CallCore(SplitText, {TextArg(unquoted ? unquoted : ""), TextArg("\\"), OmittedArg()}));
  RtFree(unquoted);
  void* first;
  int32_t count = RtArrayCountOrNull(pieces, &first);
  char* path = nullptr;
  // Fewer than two pieces (no backslash, or only a trailing one) name no
  // folder: the path stays empty and the open fails with its message.
  if (count >= 2) {
    auto texts = static_cast<char**>(first);
    path = RtConcat({texts[0], "\\", texts[1], "\\config\\quillnode.db"});
  }
  for (int32_t i = 0; i < count; i++) RtFree(static_cast<char**>(first)[i]);
  RtFree(pieces);
  return path;
}

HandlerResult OnMainWindowCreated() {
  char* imagePath = AsText(CallCore(ReadRegistryText, {IntArg(kLocalMachineRoot), TextArg(kImagePathItem), OmittedArg()}));
  if (RtTextLength(imagePath) > 0) Assign(DatabasePath, DatabasePathFromImagePath(imagePath));
  RtFree(imagePath);
  ShowDatabasePath();
  WriteIntProperty(kCombo1Id, kPropComboSelection, 0);
  WriteIntProperty(kCombo2Id, kPropComboSelection, 1);
  WriteIntProperty(kCombo3Id, kPropComboSelection, 2);
  LoadMachines();
  return NoValue();
}

HandlerResult OnBrowseClicked() {
  WriteTextProperty(kOpenDialogId, kPropDialogFilter, "quillnode.db|quillnode.db");
  if (CallCore(CommonDialogOpen, {UnitArg(kOpenDialogId, kTypeCommonDialog)}) != 1) return NoValue();
  Assign(DatabasePath, ReadTextProperty(kOpenDialogId, kPropDialogFileName));
  ShowDatabasePath();
  // The list follows the chosen file: the old rows and counts go first.
  ReloadMachines();
  return NoValue();
}
