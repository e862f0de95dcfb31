#include "app/globals.h"

#include <windows.h>

#include <cstddef>
#include <cstring>

#include "app/program.h"
#include "app/runtime_calls.h"
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
  CallLib(constructor, kDatabaseLibrary, {ObjectArg(storage, type)});
  return storage;
}

void ReleaseObjectStorage(void*& storage, CommandFn destructor, uint32_t type) {
  CallLib(destructor, kDatabaseLibrary, {ObjectArg(storage, type)});
  RtFree(storage);
  storage = nullptr;
}

void FreeRecord(MachineRecord* r) {
  if (!r) return;
  RtFree(r->Name);
  RtFree(r->Ip);
  RtFree(r->Mac);
  RtFree(r);
}

}  // namespace

// A new array variable: a heap copy of the constant empty header.
static RtArray* NewEmptyArray() { return static_cast<RtArray*>(RtRealloc(const_cast<RtArray*>(EmptyArrayTemplate()), 8)); }

void InitGlobals() {
  SelectedRows = NewEmptyArray();
  DatabasePath = nullptr;
  MachineTable = NewObjectStorage(SqliteTable::Construct, kTypeSqliteTable);
  MachineDb = NewObjectStorage(SqliteDB::Construct, kTypeSqliteDb);
  CurrentMachine = static_cast<MachineRecord*>(RtAlloc(sizeof(MachineRecord)));
  memset(CurrentMachine, 0, sizeof(MachineRecord));
  Machines = NewEmptyArray();
}

void ReleaseGlobals() {
  RtFree(SelectedRows);
  SelectedRows = nullptr;
  RtFree(DatabasePath);
  DatabasePath = nullptr;
  ReleaseObjectStorage(MachineTable, SqliteTable::Destruct, kTypeSqliteTable);
  ReleaseObjectStorage(MachineDb, SqliteDB::Destruct, kTypeSqliteDb);
  FreeRecord(CurrentMachine);
  CurrentMachine = nullptr;
  EmptyMachines();
  RtFree(Machines);
  Machines = nullptr;
}

MachineRecord* CopyMachineRecord(const MachineRecord& r) {
  static constexpr uint32_t kTexts[] = {offsetof(MachineRecord, Name), offsetof(MachineRecord, Ip),
                                        offsetof(MachineRecord, Mac)};
  return static_cast<MachineRecord*>(RtCopyRecord(&r, sizeof r, kTexts, 3));
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
  if (records.empty()) return;
  int32_t count = RtArrayCountOrNull(Machines);
  int32_t total = count + static_cast<int32_t>(records.size());
  RtService(2, kPtrWidth, reinterpret_cast<intptr_t>(&Machines));
  Machines = static_cast<RtArray*>(RtRealloc(Machines, 8 + static_cast<uint32_t>(total) * kPtrWidth));
  Machines->dims = 1;
  Machines->sizes[0] = total;
  auto slots = reinterpret_cast<MachineRecord**>(&Machines->sizes[1]);
  for (size_t i = 0; i < records.size(); i++) slots[count + i] = records[i];
}
