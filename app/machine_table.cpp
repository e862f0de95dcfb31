#include "app/machine_table.h"

#include "app/globals.h"
#include "app/machine_fields.h"
#include "app/runtime_calls.h"
#include "db/db_library.h"
#include "db/sqlite_db.h"
#include "db/sqlite_table.h"

namespace {

ArgValue TableArg() { return ObjectArg(MachineTable, kSqliteTableTypeCode); }
ArgValue DbArg() { return ObjectArg(MachineDb, kSqliteDbTypeCode); }

uint64_t CallDatabase(CommandFn fn, std::initializer_list<ArgValue> args) {
  return CallLib(fn, kDatabaseLibraryNumber, args);
}

ReadState LastReadState() {
  switch (AsInt(CallDatabase(SqliteTable::LastReadOutcome, {TableArg()}))) {
    case 0: return ReadState::kRead;
    case 1: return ReadState::kRowGone;
    default: return ReadState::kFailed;
  }
}

bool HasEveryField() {
  for (const MachineField& field : kMachineFields)
    if (AsInt(CallDatabase(SqliteTable::FieldNumber, {TableArg(), TextArg(field.dbName)})) == 0) return false;
  return true;
}

}  // namespace

bool OpenMachineTable() {
  const char* path = DatabasePath ? DatabasePath : "";
  if (!CallDatabase(SqliteDB::Open, {DbArg(), TextArg(path), OmittedArg()})) return false;
  return CallDatabase(SqliteTable::Open, {TableArg(), TextArg("tPcBaseInfo"), DbArg()}) != 0 && HasEveryField();
}

void CloseMachineTable() {
  CallDatabase(SqliteTable::Close, {TableArg()});
  CallDatabase(SqliteDB::Close, {DbArg()});
}

bool GoToFirstRecord() { return CallDatabase(SqliteTable::GoTo, {TableArg(), IntArg(1)}) != 0; }

bool SkipRecord() { return CallDatabase(SqliteTable::Skip, {TableArg(), OmittedArg()}) != 0; }

// The read's own success flag says whether there is anything to ask: only
// a failed read needs to know whether its row is gone or it met an error.
char* ReadField(const char* name, ReadState* worst) {
  int32_t succeeded = 0;
  ArgValue flag{};
  flag.v.ptr = &succeeded;
  flag.type = kTypeBool;  // a logical variable, passed by reference
  char* text = AsText(CallDatabase(SqliteTable::ReadFieldText, {TableArg(), TextArg(name), flag}));
  ReadState state = succeeded ? ReadState::kRead : LastReadState();
  if (state > *worst) *worst = state;
  return text;
}
