// Writing the selected rows to the text file the user names: one line per
// row in list order, the non-empty chosen fields joined by single blanks,
// every line ended by CR LF, GBK bytes as the list holds them.
#include "app/export.h"

#include <string>

#include "app/export_line.h"
#include "app/globals.h"
#include "app/handler_table.h"
#include "app/runtime_calls.h"
#include "commands/core_commands.h"
#include "ui/combo/combo_unit.h"
#include "ui/commondlg/commondlg_open.h"
#include "ui/commondlg/commondlg_unit.h"
#include "ui/listview/listview_commands.h"

namespace {

// The row's text in a column; -1 (typed text, no selection) and the column
// past the last field ("无") read empty.
std::string FieldText(int32_t row, int32_t column) {
  char* text = AsText(CallMachineList(ListView::GetItemText, {IntArg(row), IntArg(column)}));
  std::string field = text ? text : "";
  RtFree(text);
  return field;
}

}  // namespace

std::string ExportText(const RtArray* rows) {
  // The field lists cannot change while the text is built: nothing here
  // runs a message loop. Their selections are therefore read once; a read
  // per row would ask each drop-down list again for every machine.
  const int32_t first = ReadIntProperty(kCombo1Id, kComboSelection);
  const int32_t second = ReadIntProperty(kCombo2Id, kComboSelection);
  const int32_t third = ReadIntProperty(kCombo3Id, kComboSelection);
  // The text grows in one buffer: appending to a runtime text per row would
  // copy the whole output once per row.
  std::string output;
  void* firstRow;
  int32_t count = RtArrayCountOrNull(rows, &firstRow);
  for (int32_t i = 0; i < count; i++) {
    int32_t row = static_cast<int32_t*>(firstRow)[i];
    AppendExportLine(output, FieldText(row, first), FieldText(row, second), FieldText(row, third));
  }
  return output;
}

HandlerResult OnExportClicked() {
  Assign(SelectedRows, AsArray(CallMachineList(ListView::GetSelectedItems)));
  std::string output = ExportText(SelectedRows);

  WriteTextProperty(kSaveDialogId, kDialogFilter, "*.txt|*.txt");
  bool confirmed = CallCore(CommonDialogOpen, {UnitArg(kSaveDialogId, kCommonDialogTypeCode)}) == 1;
  char* fileName = confirmed ? ReadTextProperty(kSaveDialogId, kDialogFileName) : nullptr;

  if (confirmed && RtTextLength(DatabasePath) > 0) {
    // The bytes are taken from the built text itself, which then goes before
    // the file is written: at 100,000 rows every copy is megabytes.
    auto bytes = AsArray(CallCore(ValueToBytes, {TextArg(output.c_str())}));
    std::string().swap(output);
    RtArray empty{1, {0}};
    bool written = CallCore(WriteToFile, {TextArg(fileName ? fileName : ""), BytesArg(bytes ? bytes : &empty)}) != 0;
    RtFree(bytes);
    // A file that could not be written must not pass in silence.
    if (!written) ShowInfo("写入文件失败");
  }
  RtFree(fileName);
  return NoValue();
}
