// Untrusted bytes for a reader under test, placed at the very end of a
// readable page with an inaccessible page behind them: a read past the
// end faults at once instead of passing unnoticed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <span>

class GuardedBytes {
 public:
  explicit GuardedBytes(std::span<const uint8_t> bytes) {
    size_t pages = (bytes.size() + kPage - 1) / kPage + 1;
    base_ = static_cast<uint8_t*>(VirtualAlloc(nullptr, pages * kPage, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD old;
    VirtualProtect(base_ + (pages - 1) * kPage, kPage, PAGE_NOACCESS, &old);
    data_ = base_ + (pages - 1) * kPage - bytes.size();
    if (!bytes.empty()) memcpy(data_, bytes.data(), bytes.size());
    size_ = bytes.size();
  }
  ~GuardedBytes() { VirtualFree(base_, 0, MEM_RELEASE); }
  GuardedBytes(const GuardedBytes&) = delete;
  GuardedBytes& operator=(const GuardedBytes&) = delete;
  std::span<const uint8_t> span() const { return {data_, size_}; }
  const uint8_t* data() const { return data_; }
  int32_t length() const { return static_cast<int32_t>(size_); }

 private:
  static constexpr size_t kPage = 4096;
  uint8_t* base_ = nullptr;
  uint8_t* data_ = nullptr;
  size_t size_ = 0;
};
