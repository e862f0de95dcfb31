// Scoped owners for the handles the system commands hold while they work.
// Non-copyable: each handle is closed exactly once.
#pragma once

#include <windows.h>

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
