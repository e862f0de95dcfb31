#include "tests/lock_holder.h"

#include <sqlite3.h>

#include <utility>

namespace dbtest {
namespace {

bool Exec(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

}  // namespace

LockHolder::LockHolder(const std::string& utf8Path, std::string sql, int holdMs, bool again)
    : path_(utf8Path), sql_(std::move(sql)), holdMs_(holdMs), again_(again) {
  lockedEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  releaseEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread_ = CreateThread(nullptr, 0, &LockHolder::Run, this, 0, nullptr);
}

LockHolder::~LockHolder() {
  Release();
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  CloseHandle(releaseEvent_);
  CloseHandle(lockedEvent_);
}

bool LockHolder::WaitLocked() {
  WaitForSingleObject(lockedEvent_, INFINITE);
  return locked_;
}

void LockHolder::Release() { SetEvent(releaseEvent_); }

bool LockHolder::Released() const { return WaitForSingleObject(releaseEvent_, 0) == WAIT_OBJECT_0; }

DWORD WINAPI LockHolder::Run(void* p) {
  auto* self = static_cast<LockHolder*>(p);
  sqlite3* db = nullptr;
  if (sqlite3_open(self->path_.c_str(), &db) == SQLITE_OK) {
    do {
      sqlite3_busy_timeout(db, 5000);
      if (!Exec(db, "BEGIN EXCLUSIVE")) break;
      bool ran = Exec(db, self->sql_.c_str());
      if (!self->locked_) {
        self->locked_ = ran;
        SetEvent(self->lockedEvent_);
      }
      WaitForSingleObject(self->releaseEvent_, self->holdMs_ >= 0 ? self->holdMs_ : INFINITE);
      Exec(db, "COMMIT");
      if (!self->again_) break;
      // The rest, until a reader holds the shared lock.
      sqlite3_busy_timeout(db, 0);
      for (DWORD start = GetTickCount(); GetTickCount() - start < 1000 && !self->Released(); Sleep(1)) {
        if (!Exec(db, "BEGIN EXCLUSIVE")) break;
        Exec(db, "ROLLBACK");
      }
    } while (!self->Released());
  }
  SetEvent(self->lockedEvent_);  // also when the lock was never taken
  sqlite3_close(db);
  return 0;
}

bool WritesAtOnce(const std::string& utf8Path) {
  sqlite3* db = nullptr;
  bool ok = sqlite3_open(utf8Path.c_str(), &db) == SQLITE_OK && Exec(db, "BEGIN EXCLUSIVE") && Exec(db, "COMMIT");
  sqlite3_close(db);
  return ok;
}

}  // namespace dbtest
