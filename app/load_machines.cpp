// Every field read is one query by row id (four per record); the whole
// table is read before the first row is inserted, then the list view is
// filled in one pass and nothing of the database stays open.
//
// A record deleted by the server while the list loads just drops out; a
// record that cannot be read (the server kept its lock past the
// connection's wait budget, a damaged file) ends the load, and the user is
// told that the list is incomplete instead of being shown a shorter list as
// if it were all. The cursor lets go of the file once the reads are done,
// so the server never waits while the list fills or the message shows.
#include "app/load_machines.h"

#include <vector>

#include "app/globals.h"
#include "app/ip_text.h"
#include "app/machine_fields.h"
#include "app/machine_table.h"
#include "app/runtime_calls.h"
#include "ui/label/label_unit.h"
#include "ui/listview/listview_commands.h"

namespace {

// The record's text of a field as read (a new text; the read is taken over).
char* FormatField(const MachineField& field, char* stored) {
  if (field.format == FieldFormat::kAsStored) return stored;
  char* text = IpTextOfField(stored);
  RtFree(stored);
  return text;
}

enum class RecordState { kListed, kSkipped, kUnreadable };

// Reads the current record into CurrentMachine. kSkipped for a record
// with an empty field and for one deleted since the table was opened;
// kUnreadable when any of its reads failed. A record without a name is
// not read further.
RecordState ReadCurrentMachine() {
  ReadState worst = ReadState::kRead;
  char* test = ReadField(kNameField.dbName, &worst);
  bool named = RtTextLength(test) > 0;
  RtFree(test);
  if (worst == ReadState::kRead && named) {
    for (int k : kFieldReadOrder) {
      const MachineField& field = kMachineFields[k];
      Assign(CurrentMachine->*field.member, FormatField(field, ReadField(field.dbName, &worst)));
    }
  }
  if (worst == ReadState::kFailed) return RecordState::kUnreadable;
  if (worst == ReadState::kRowGone || !named) return RecordState::kSkipped;
  for (const MachineField& field : kMachineFields)
    if (RtTextLength(CurrentMachine->*field.member) == 0) return RecordState::kSkipped;
  return RecordState::kListed;
}

// Every record of the table that is listed, in row-id order; false when
// the reading stopped at a record that could not be read.
bool ReadMachines(std::vector<MachineRecord*>* accepted) {
  for (bool onRecord = GoToFirstRecord(); onRecord; onRecord = SkipRecord()) {
    RecordState state = ReadCurrentMachine();
    // The wait budget is spent or the file is damaged: later reads fare no better.
    if (state == RecordState::kUnreadable) return false;
    if (state == RecordState::kListed) accepted->push_back(CopyMachineRecord(*CurrentMachine));
  }
  return true;
}

// One row per element of Machines, at its position.
void FillList() {
  void* first;
  int32_t count = RtArrayCountOrNull(Machines, &first);
  auto records = static_cast<MachineRecord**>(first);
  for (int32_t k = 0; k < count; k++) {
    CallMachineList(ListView::InsertItem,
                    {IntArg(k), OmittedArg(), OmittedArg(), OmittedArg(), OmittedArg(), OmittedArg()});
    for (int column = 0; column < kMachineFieldCount; column++)
      CallMachineList(ListView::SetItemText,
                      {IntArg(k), IntArg(column), TextArg(records[k]->*kMachineFields[column].member)});
  }
}

}  // namespace

void LoadMachines() {
  CloseMachineTable();
  if (!OpenMachineTable()) {
    ShowInfo("打开数据库失败");
    CloseMachineTable();
    return;
  }
  // Records are collected first and appended to Machines in one step: the
  // array grows once instead of once per record.
  std::vector<MachineRecord*> accepted;
  bool complete = ReadMachines(&accepted);
  AppendMachines(accepted);
  FillList();
  CloseMachineTable();
  WriteCountCaption(kTotalLabelId, "共:", AsInt(CallMachineList(ListView::GetItemCount)));
  if (!complete) ShowInfo("读取数据库失败，列表不完整");
}

void ReloadMachines() {
  EmptyMachines();
  CallMachineList(ListView::DeleteAllItems);
  Assign(SelectedRows, RtNewArray(0, 4));
  WriteTextProperty(kTotalLabelId, kLabelCaption, "");
  WriteTextProperty(kSelectedLabelId, kLabelCaption, "");
  LoadMachines();
}
