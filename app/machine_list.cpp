// Every field read is one query by row id (four per record); the whole
// table is read before the first row is inserted, then the list view is
// filled in one pass and nothing of the database stays open.
#include "app/machine_list.h"

#include <vector>

#include "app/globals.h"
#include "app/runtime_calls.h"
#include "app/main_window_template.h"
#include "commands/core_commands.h"
#include "db/sqlite_db.h"
#include "db/sqlite_table.h"
#include "ui/listview/listview_commands.h"

namespace {

ArgValue TableArg() { return ObjectArg(MachineTable, kTypeSqliteTable); }
ArgValue DbArg() { return ObjectArg(MachineDb, kTypeSqliteDb); }

char* ReadField(const char* name) {
  return AsText(CallLib(SqliteTable::ReadFieldText, kDatabaseLibrary, {TableArg(), TextArg(name), OmittedArg()}));
}

void CloseDatabase() {
  CallLib(SqliteTable::Close, kDatabaseLibrary, {TableArg()});
  CallLib(SqliteDB::Close, kDatabaseLibrary, {DbArg()});
}

bool OpenDatabase() {
  const char* path = DatabasePath ? DatabasePath : "";
  if (!CallLib(SqliteDB::Open, kDatabaseLibrary, {DbArg(), TextArg(path), OmittedArg()})) return false;
  return CallLib(SqliteTable::Open, kDatabaseLibrary, {TableArg(), TextArg("tPcBaseInfo"), DbArg()}) != 0;
}

// Piece k (1-based) of a text array; the pieces of a formatted address are
// always four.
const char* Piece(RtArray* pieces, int k) {
  return *static_cast<char**>(RtElementAt(pieces, k, kPtrWidth));
}

void FreeTextArray(RtArray* a) {
  void* first;
  int32_t count = RtArrayCountOrNull(a, &first);
  for (int32_t i = 0; i < count; i++) RtFree(static_cast<char**>(first)[i]);
  RtFree(a);
}

// Reads the current record into CurrentMachine; false when it has no name
// (empty, NULL or no longer readable), in which case it is skipped.
bool ReadCurrentMachine() {
  char* test = ReadField("MACHINE");
  bool named = RtTextLength(test) > 0;
  RtFree(test);
  if (!named) return false;

  char* ipText = ReadField("ip");
  int32_t ip = AsInt(CallCore(ValueToInteger, {TextArg(ipText ? ipText : "")}));
  RtFree(ipText);
  char* dotted = FormatIpv4(ip);
  auto pieces = AsArray(CallCore(SplitText, {TextArg(dotted ? dotted : ""), TextArg("."), OmittedArg()}));
  RtFree(dotted);

  Assign(CurrentMachine->Name, ReadField("MACHINE"));
  Assign(CurrentMachine->Mac, ReadField("mac"));
  Assign(CurrentMachine->Ip, RtConcat({Piece(pieces, 4), ".", Piece(pieces, 3), ".",
                                           Piece(pieces, 2), ".", Piece(pieces, 1)}));
  FreeTextArray(pieces);
  return true;
}

void ShowTotal() {
  int32_t count = AsInt(CallLib(ListView::GetItemCount, kExtendedUiLibrary, {UnitArg(kMachineListId, kTypeListView)}));
  char* number = AsText(CallCore(ValueToText, {IntArg(count)}));
  char* caption = RtConcat({"共:", number});
  WriteTextProperty(kTotalLabelId, kPropLabelCaption, caption);
  RtFree(caption);
  RtFree(number);
}

}  // namespace

char* FormatIpv4(int64_t value) {
  auto all = AsArray(CallCore(ValueToBytes, {LongArg(value)}));
  auto low = AsArray(CallCore(LeftBytes, {BytesArg(all), IntArg(4)}));
  RtFree(all);
  char* text = nullptr;
  for (int k = 4; k >= 1; k--) {
    ArgValue byte{};
    byte.v.u8 = *static_cast<uint8_t*>(RtElementAt(low, k, 1));
    byte.type = kTypeByte;
    char* number = AsText(CallCore(ValueToText, {byte}));
    Assign(text, RtConcat({text, number, "."}));
    RtFree(number);
  }
  RtFree(low);
  int32_t length = AsInt(CallCore(TextLength, {TextArg(text)}));
  char* result = AsText(CallCore(LeftText, {TextArg(text), IntArg(length - 1)}));
  RtFree(text);
  return result;
}

void LoadMachines() {
  CloseDatabase();
  if (!OpenDatabase()) {
    CallCore(InfoBox, {TextArg("打开数据库失败"), IntArg(0), OmittedArg(), OmittedArg()});
    CloseDatabase();
    return;
  }

  // Records are collected first and appended to Machines in one step: the
  // array grows once instead of once per record.
  std::vector<MachineRecord*> accepted;
  bool onRecord = CallLib(SqliteTable::GoTo, kDatabaseLibrary, {TableArg(), IntArg(1)}) != 0;
  while (onRecord) {
    if (ReadCurrentMachine() && RtTextLength(CurrentMachine->Name) && RtTextLength(CurrentMachine->Mac) &&
        RtTextLength(CurrentMachine->Ip))
      accepted.push_back(CopyMachineRecord(*CurrentMachine));
    onRecord = CallLib(SqliteTable::Skip, kDatabaseLibrary, {TableArg(), OmittedArg()}) != 0;
  }
  AppendMachines(accepted);

  void* first;
  int32_t count = RtArrayCountOrNull(Machines, &first);
  auto records = static_cast<MachineRecord**>(first);
  for (int32_t k = 0; k < count; k++) {
    ArgValue list = UnitArg(kMachineListId, kTypeListView);
    CallLib(ListView::InsertItem, kExtendedUiLibrary,
            {list, IntArg(k), OmittedArg(), OmittedArg(), OmittedArg(), OmittedArg(), OmittedArg()});
    CallLib(ListView::SetItemText, kExtendedUiLibrary, {list, IntArg(k), IntArg(0), TextArg(records[k]->Name)});
    CallLib(ListView::SetItemText, kExtendedUiLibrary, {list, IntArg(k), IntArg(1), TextArg(records[k]->Mac)});
    CallLib(ListView::SetItemText, kExtendedUiLibrary, {list, IntArg(k), IntArg(2), TextArg(records[k]->Ip)});
  }
  CloseDatabase();
  ShowTotal();
}

void ReloadMachines() {
  EmptyMachines();
  CallLib(ListView::DeleteAllItems, kExtendedUiLibrary, {UnitArg(kMachineListId, kTypeListView)});
  Assign(SelectedRows, RtNewArray(0, 4));
  WriteTextProperty(kTotalLabelId, kPropLabelCaption, "");
  WriteTextProperty(kSelectedLabelId, kPropLabelCaption, "");
  LoadMachines();
}
