// Bounds-checked little-endian reader over a byte range: the only way the
// loader and the blob decoders touch template bytes. Every read answers
// false once the range is exhausted and then leaves the position alone, so
// a malformed stream fails cleanly instead of reading past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> data) : data_(data) {}

  bool U16(uint16_t& v);
  bool U32(uint32_t& v);
  bool I32(int32_t& v);
  // A view of the next n bytes.
  bool Bytes(uint64_t n, std::span<const uint8_t>& out);
  bool Skip(uint64_t n);
  // u32 length, then the bytes; the text ends at the first NUL among them.
  bool CountedText(std::string& out);
  bool CountedBytes(std::vector<uint8_t>& out);
  // Bytes up to and including a NUL (the NUL is not kept).
  bool ZeroText(std::string& out);
  // u16 count, 0xFFFF = a u32 count follows; then counted texts.
  bool TextList(std::vector<std::string>& out);

  size_t Position() const { return pos_; }
  size_t Remaining() const { return data_.size() - pos_; }
  bool AtEnd() const { return pos_ == data_.size(); }
  std::span<const uint8_t> Rest() const { return data_.subspan(pos_); }

 private:
  std::span<const uint8_t> data_;
  size_t pos_ = 0;
};
