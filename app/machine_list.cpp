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

// The table's three fields, as LoadMachines reads them.
constexpr const char* kFieldNames[] = {"MACHINE", "mac", "ip"};

// How the reads of a field or a record went, from best to worst.
enum class ReadState { kRead, kRowGone, kFailed };

ReadState LastReadState() {
  switch (AsInt(CallLib(SqliteTable::LastReadOutcome, kDatabaseLibrary, {TableArg()}))) {
    case 0: return ReadState::kRead;
    case 1: return ReadState::kRowGone;
    default: return ReadState::kFailed;
  }
}

// One field of the current record; *worst keeps the worst read so far.
// The read's own success flag says whether there is anything to ask: only
// a failed read needs to know whether its row is gone or it met an error.
char* ReadField(const char* name, ReadState* worst) {
  int32_t succeeded = 0;
  ArgValue flag{};
  flag.v.ptr = &succeeded;
  flag.type = kTypeBool;  // a logical variable, passed by reference
  char* text = AsText(CallLib(SqliteTable::ReadFieldText, kDatabaseLibrary, {TableArg(), TextArg(name), flag}));
  ReadState state = succeeded ? ReadState::kRead : LastReadState();
  if (state > *worst) *worst = state;
  return text;
}

void ShowInfo(const char* text) { CallCore(InfoBox, {TextArg(text), IntArg(0), OmittedArg(), OmittedArg()}); }

void CloseDatabase() {
  CallLib(SqliteTable::Close, kDatabaseLibrary, {TableArg()});
  CallLib(SqliteDB::Close, kDatabaseLibrary, {DbArg()});
}

// A table that lacks one of the fields is not the server's table, even
// when it has no rows to show it.
bool HasEveryField() {
  for (const char* name : kFieldNames)
    if (AsInt(CallLib(SqliteTable::FieldNumber, kDatabaseLibrary, {TableArg(), TextArg(name)})) == 0) return false;
  return true;
}

bool OpenDatabase() {
  const char* path = DatabasePath ? DatabasePath : "";
  if (!CallLib(SqliteDB::Open, kDatabaseLibrary, {DbArg(), TextArg(path), OmittedArg()})) return false;
  return CallLib(SqliteTable::Open, kDatabaseLibrary, {TableArg(), TextArg("tPcBaseInfo"), DbArg()}) != 0 &&
         HasEveryField();
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

enum class RecordState { kListed, kSkipped, kUnreadable };

// Reads the current record into CurrentMachine. kSkipped for a record
// without a name or MAC and for one deleted since the table was opened;
// kUnreadable when any of its reads failed.
RecordState ReadCurrentMachine() {
  ReadState worst = ReadState::kRead;
  char* test = ReadField("MACHINE", &worst);
  bool named = RtTextLength(test) > 0;
  RtFree(test);
  if (worst == ReadState::kRead && named) {
    char* ipText = ReadField("ip", &worst);
    int32_t ip = AsInt(CallCore(ValueToInteger, {TextArg(ipText ? ipText : "")}));
    RtFree(ipText);
    char* dotted = FormatIpv4(ip);
    auto pieces = AsArray(CallCore(SplitText, {TextArg(dotted ? dotted : ""), TextArg("."), OmittedArg()}));
    RtFree(dotted);

    Assign(CurrentMachine->Name, ReadField("MACHINE", &worst));
    Assign(CurrentMachine->Mac, ReadField("mac", &worst));
    Assign(CurrentMachine->Ip, RtConcat({Piece(pieces, 4), ".", Piece(pieces, 3), ".",
                                             Piece(pieces, 2), ".", Piece(pieces, 1)}));
    FreeTextArray(pieces);
  }
  if (worst == ReadState::kFailed) return RecordState::kUnreadable;
  if (worst == ReadState::kRowGone || !named) return RecordState::kSkipped;
  bool complete = RtTextLength(CurrentMachine->Name) && RtTextLength(CurrentMachine->Mac) &&
                  RtTextLength(CurrentMachine->Ip);
  return complete ? RecordState::kListed : RecordState::kSkipped;
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
    ShowInfo("打开数据库失败");
    CloseDatabase();
    return;
  }

  // Records are collected first and appended to Machines in one step: the
  // array grows once instead of once per record.
  std::vector<MachineRecord*> accepted;
  bool complete = true;
  bool onRecord = CallLib(SqliteTable::GoTo, kDatabaseLibrary, {TableArg(), IntArg(1)}) != 0;
  while (onRecord) {
    RecordState state = ReadCurrentMachine();
    if (state == RecordState::kUnreadable) {
      complete = false;  // the wait budget is spent or the file is damaged: later reads fare no better
      break;
    }
    if (state == RecordState::kListed) accepted.push_back(CopyMachineRecord(*CurrentMachine));
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
  if (!complete) ShowInfo("读取数据库失败，列表不完整");
}

void ReloadMachines() {
  EmptyMachines();
  CallLib(ListView::DeleteAllItems, kExtendedUiLibrary, {UnitArg(kMachineListId, kTypeListView)});
  Assign(SelectedRows, RtNewArray(0, 4));
  WriteTextProperty(kTotalLabelId, kPropLabelCaption, "");
  WriteTextProperty(kSelectedLabelId, kPropLabelCaption, "");
  LoadMachines();
}
