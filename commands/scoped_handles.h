// Scoped owners for the handles and blocks the system commands hold while
// they work. Non-copyable: each handle is closed exactly once.
#pragma once

#include <windows.h>

#include "runtime/heap.h"

class ScopedKey {
 public:
  ScopedKey() = default;
  ~ScopedKey() { if (key_) RegCloseKey(key_); }
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

class ScopedFile {
 public:
  explicit ScopedFile(HANDLE h) : h_(h) {}
  ~ScopedFile() { Close(); }
  ScopedFile(const ScopedFile&) = delete;
  ScopedFile& operator=(const ScopedFile&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  // Closes now; false when the close failed (buffered data may be lost).
  bool Close() {
    if (h_ == INVALID_HANDLE_VALUE) return true;
    HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return CloseHandle(h) != FALSE;
  }

 private:
  HANDLE h_;
};

// A runtime heap block that is freed on leaving the scope unless released.
class ScopedBlock {
 public:
  explicit ScopedBlock(void* p) : p_(p) {}
  ~ScopedBlock() { RtFree(p_); }
  ScopedBlock(const ScopedBlock&) = delete;
  ScopedBlock& operator=(const ScopedBlock&) = delete;
  char* text() const { return static_cast<char*>(p_); }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  void* p_;
};
