// Little-endian readers and writers for unit property blobs.
//
// Blobs come from the program's template, so every read is bounds-checked:
// a read past the end marks the reader failed and answers zeros, and the
// caller checks ok() once at the end instead of after every field.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<uint8_t>;

class BlobReader {
 public:
  BlobReader(const uint8_t* data, int32_t length)
      : p_(data), left_(data && length > 0 ? static_cast<size_t>(length) : 0) {}

  bool ok() const { return ok_; }
  size_t left() const { return left_; }
  bool atEnd() const { return left_ == 0; }

  uint8_t U8() {
    uint8_t b = 0;
    Take(&b, 1);
    return b;
  }
  uint32_t U32() {
    uint8_t b[4] = {};
    Take(b, 4);
    return b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
  }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  bool Bool() { return U32() != 0; }

  // A 32-bit signed count, then that many bytes; a count of 0 or less is empty.
  Bytes Block() {
    int32_t n = I32();
    Bytes out;
    if (n <= 0 || !ok_) return out;
    if (static_cast<size_t>(n) > left_) return Fail(), out;
    out.assign(p_, p_ + n);
    Skip(static_cast<size_t>(n));
    return out;
  }
  // A counted text: the text ends at the first NUL inside the counted bytes.
  std::string CountedText() {
    Bytes b = Block();
    size_t n = 0;
    while (n < b.size() && b[n] != 0) n++;
    return std::string(reinterpret_cast<const char*>(b.data()), n);
  }
  // Bytes up to and including a NUL; a text without its NUL is a failure.
  std::string ZeroEndedText() {
    const void* nul = left_ ? memchr(p_, 0, left_) : nullptr;
    if (!nul) {
      Fail();
      return {};
    }
    size_t n = static_cast<const uint8_t*>(nul) - p_;
    std::string s(reinterpret_cast<const char*>(p_), n);
    Skip(n + 1);
    return s;
  }

 private:
  void Fail() {
    ok_ = false;
    left_ = 0;
  }
  void Take(void* out, size_t n) {
    if (left_ < n) return Fail();
    memcpy(out, p_, n);
    Skip(n);
  }
  void Skip(size_t n) {
    p_ += n;
    left_ -= n;
  }

  const uint8_t* p_;
  size_t left_;
  bool ok_ = true;
};

class BlobWriter {
 public:
  void U8(uint8_t b) { out_.push_back(b); }
  void U32(uint32_t v) {
    for (int i = 0; i < 4; i++) out_.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
  void Bool(bool b) { U32(b ? 1 : 0); }
  void Block(const Bytes& b) {
    U32(static_cast<uint32_t>(b.size()));
    out_.insert(out_.end(), b.begin(), b.end());
  }
  void CountedText(const std::string& s) {
    U32(static_cast<uint32_t>(s.size()));
    out_.insert(out_.end(), s.begin(), s.end());
  }
  void ZeroEndedText(const std::string& s) {
    out_.insert(out_.end(), s.begin(), s.end());
    out_.push_back(0);
  }

  const Bytes& bytes() const { return out_; }
  Bytes take() { return std::move(out_); }

 private:
  Bytes out_;
};
