// Another connection to a database file that takes its write lock on a
// thread of its own: the way the server's writes meet the reader, with the
// two connections' file locks really colliding.
#pragma once

#include <windows.h>

#include <string>

namespace dbtest {

// Takes BEGIN EXCLUSIVE (waiting up to 5 s for it), runs sql inside, and
// holds the lock for holdMs and then commits, or until Release() when
// holdMs is negative. With `again` it then rests only until a reader has
// come in (the reader's shared lock refuses an exclusive one at once; 1 s
// at the most) and takes the lock again, until Release(): each rest lets a
// reader finish just the read transaction it began, however fast or slow
// the machine. With an empty sql the file's bytes stay as they were.
class LockHolder {
 public:
  LockHolder(const std::string& utf8Path, std::string sql, int holdMs, bool again = false);
  ~LockHolder();  // releases and waits for the thread
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;

  // Waits until the lock is first taken; false when it could not be taken.
  bool WaitLocked();
  void Release();

 private:
  static DWORD WINAPI Run(void* self);
  bool Released() const;
  std::string path_, sql_;
  int holdMs_;
  bool again_;
  bool locked_ = false;
  HANDLE lockedEvent_, releaseEvent_, thread_;
};

// Whether a connection with no busy timeout takes the write lock and
// commits at once: it cannot while anyone else holds a lock on the file.
bool WritesAtOnce(const std::string& utf8Path);

}  // namespace dbtest
