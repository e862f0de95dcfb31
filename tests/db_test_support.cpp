#include "tests/db_test_support.h"

#include <sqlite3.h>

#include <cstring>

#include "db/db_library.h"
#include "runtime/heap.h"
#include "runtime/runtime.h"

namespace dbtest {

std::string Narrow(const std::wstring& s, UINT codePage) {
  int n = WideCharToMultiByte(codePage, 0, s.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(codePage, 0, s.c_str(), -1, out.data(), n, nullptr, nullptr);
  return out;
}

// Process ids come round again, and a test program that was killed leaves
// its folder behind: a folder that already exists is never taken.
TempFolder::TempFolder() {
  static int serial;
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  do {
    dir_ = std::wstring(base) + L"dbtest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++serial);
  } while (!CreateDirectoryW(dir_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
}

TempFolder::~TempFolder() {
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW((dir_ + L"\\*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW(Wide(found.cFileName).c_str());
    } while (FindNextFileW(h, &found));
    FindClose(h);
  }
  RemoveDirectoryW(dir_.c_str());
}

std::string TempFolder::Gbk(const std::wstring& name) const { return Narrow(Wide(name), 936); }
std::string TempFolder::Utf8(const std::wstring& name) const { return Narrow(Wide(name), CP_UTF8); }

bool FileExistsW(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW(path.c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return false;
  FindClose(h);
  return true;
}

bool MakeDatabase(const std::string& utf8Path, const char* sql) {
  sqlite3* db = nullptr;
  bool ok = sqlite3_open(utf8Path.c_str(), &db) == SQLITE_OK &&
            sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return ok;
}

Object::Object(uint32_t type, CommandFn construct, CommandFn destruct)
    : storage_(RtAlloc(40)), type_(type), destruct_(destruct) {
  memset(storage_, 0, 40);
  Call(construct, {Ref()});
}

Object::~Object() {
  Call(destruct_, {Ref()});
  RtFree(storage_);
}

ArgValue Call(CommandFn fn, std::initializer_list<ArgValue> args) {
  ArgValue list[8] = {};
  int n = 0;
  for (const ArgValue& a : args) list[n++] = a;
  ArgValue result{};
  fn(&result, n, list);
  return result;
}

int64_t BlockCounter::allocations;
int64_t BlockCounter::frees;
int64_t BlockCounter::strayFrees;
std::set<void*> BlockCounter::outstanding;

intptr_t BlockCounter::Notify(int code, intptr_t p1, intptr_t p2) {
  intptr_t answer = RuntimeNotify(code, p1, p2);
  if (code == kNotifyAlloc && answer) {
    allocations++;
    outstanding.insert(reinterpret_cast<void*>(answer));
  } else if (code == kNotifyFree && p1) {
    frees++;
    if (!outstanding.erase(reinterpret_cast<void*>(p1))) strayFrees++;
  }
  return answer;
}

void BlockCounter::Reset() {
  allocations = frees = strayFrees = 0;
  outstanding.clear();
}

void FreeResult(void* block) {
  if (block) BlockCounter::Notify(kNotifyFree, reinterpret_cast<intptr_t>(block), 0);
}

int32_t TableSession::OpenDatabase(const std::string& gbkPath) {
  return Call(SqliteDB::Open, {db.Ref(), TextArg(gbkPath.c_str()), OmittedArg()}).v.i32;
}

int32_t TableSession::CloseDatabase() { return Call(SqliteDB::Close, {db.Ref()}).v.i32; }

int32_t TableSession::OpenTable(const char* name) {
  return Call(SqliteTable::Open, {table.Ref(), TextArg(name), db.Ref()}).v.i32;
}

int32_t TableSession::CloseTable() { return Call(SqliteTable::Close, {table.Ref()}).v.i32; }
int32_t TableSession::GoTo(int32_t n) { return Call(SqliteTable::GoTo, {table.Ref(), IntArg(n)}).v.i32; }
int32_t TableSession::Skip(int32_t n) { return Call(SqliteTable::Skip, {table.Ref(), IntArg(n)}).v.i32; }

FieldRead TableSession::Read(const ArgValue& field) {
  int32_t flag = -1;
  ArgValue r = Call(SqliteTable::ReadFieldText, {table.Ref(), field, LogicalRef(&flag)});
  FieldRead out{r.v.text ? r.v.text : "", r.v.text == nullptr, flag, 0};
  FreeResult(r.v.ptr);
  out.outcome = Call(SqliteTable::LastReadOutcome, {table.Ref()}).v.i32;
  return out;
}

int32_t TableSession::FieldNumber(const char* name) {
  return Call(SqliteTable::FieldNumber, {table.Ref(), TextArg(name)}).v.i32;
}

sqlite3* TableSession::Connection() const { return static_cast<SqliteDbStorage*>(db.Storage())->connection; }

}  // namespace dbtest
