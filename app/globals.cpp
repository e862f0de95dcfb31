#include "app/globals.h"

#include <windows.h>

#include <cstddef>
#include <array>
#include <cstring>

#include "app/machine_fields.h"
#include "app/program.h"
#include "app/runtime_calls.h"
#include "db/db_library.h"
#include "db/sqlite_db.h"
#include "db/sqlite_table.h"

RtArray* SelectedRows;
char* DatabasePath;
void* MachineTable;
void* MachineDb;
MachineRecord* CurrentMachine;
RtArray* Machines;

namespace {

constexpr uint32_t kObjectStorage = 40;

void* NewObjectStorage(CommandFn constructor, uint32_t type) {
  void* storage = RtAlloc(kObjectStorage);
  memset(storage, 0, kObjectStorage);
  CallLib(constructor, kDatabaseLibraryNumber, {ObjectArg(storage, type)});
  return storage;
}

void ReleaseObjectStorage(void*& storage, CommandFn destructor, uint32_t type) {
  CallLib(destructor, kDatabaseLibraryNumber, {ObjectArg(storage, type)});
  RtFree(storage);
  storage = nullptr;
}

void FreeRecord(MachineRecord* r) {
  if (!r) return;
  for (const MachineField& field : kMachineFields) RtFree(r->*field.member);
  RtFree(r);
}

}  // namespace

// A new array variable: a heap copy of the constant empty header.
static RtArray* NewEmptyArray() { return static_cast<RtArray*>(RtRealloc(const_cast<RtArray*>(EmptyArrayTemplate()), 8)); }

void InitGlobals() {
  SelectedRows = NewEmptyArray();
  DatabasePath = nullptr;
  MachineTable = NewObjectStorage(SqliteTable::Construct, kSqliteTableTypeCode);
  MachineDb = NewObjectStorage(SqliteDB::Construct, kSqliteDbTypeCode);
  CurrentMachine = static_cast<MachineRecord*>(RtAlloc(sizeof(MachineRecord)));
  memset(CurrentMachine, 0, sizeof(MachineRecord));
  Machines = NewEmptyArray();
}

void ReleaseGlobals() {
  RtFree(SelectedRows);
  SelectedRows = nullptr;
  RtFree(DatabasePath);
  DatabasePath = nullptr;
  ReleaseObjectStorage(MachineTable, SqliteTable::Destruct, kSqliteTableTypeCode);
  ReleaseObjectStorage(MachineDb, SqliteDB::Destruct, kSqliteDbTypeCode);
  FreeRecord(CurrentMachine);
  CurrentMachine = nullptr;
  EmptyMachines();
  RtFree(Machines);
  Machines = nullptr;
}

MachineRecord* CopyMachineRecord(const MachineRecord& r) {
  // Every member is a text (machine_fields.h asserts it).
  static constexpr auto kTexts = [] {
    std::array<uint32_t, kMachineFieldCount> offsets{};
    for (int i = 0; i < kMachineFieldCount; i++) offsets[i] = static_cast<uint32_t>(i * sizeof(char*));
    return offsets;
  }();
  return static_cast<MachineRecord*>(RtCopyRecord(&r, sizeof r, kTexts.data(), kMachineFieldCount));
}

void EmptyMachines() {
  void* first;
  int32_t count = RtArrayCountOrNull(Machines, &first);
  auto records = static_cast<MachineRecord**>(first);
  for (int32_t i = 0; i < count; i++) FreeRecord(records[i]);
  RtFree(Machines);
  Machines = NewEmptyArray();
}

void AppendMachines(const std::vector<MachineRecord*>& records) {
  RtAppendElements(&Machines, kPtrWidth, records.data(), static_cast<int32_t>(records.size()));
}
