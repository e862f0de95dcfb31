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
  // How the u32 length in front of counted texts and bytes is taken. The
  // list view and common dialog blobs read it as signed, and a length of 0
  // or less there is an empty block, not a failure.
  enum class Lengths { kUnsigned, kNotPositiveIsEmpty };

  explicit ByteReader(std::span<const uint8_t> data, Lengths lengths = Lengths::kUnsigned)
      : data_(data), lengths_(lengths) {}

  bool U8(uint8_t& v);
  bool U16(uint16_t& v);
  bool U32(uint32_t& v);
  bool I32(int32_t& v);
  // A u32; non-zero is on.
  bool Bool(bool& v);
  // One byte; non-zero is on.
  bool ByteFlag(bool& v);
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

  // Reads each field in the usual form of its type (bool as a u32 flag,
  // texts and bytes counted) and stops at the first that fails. Mirrors
  // ByteWriter::Fields, so one field list serves both directions.
  template <class... T>
  bool Fields(T&... fields) {
    return (Field(fields) && ...);
  }

  size_t Position() const { return pos_; }
  size_t Remaining() const { return data_.size() - pos_; }
  bool AtEnd() const { return pos_ == data_.size(); }
  std::span<const uint8_t> Rest() const { return data_.subspan(pos_); }

 private:
  // The length and the bytes it counts; the position stays on failure.
  bool Counted(std::span<const uint8_t>& out);

  bool Field(uint8_t& v) { return U8(v); }
  bool Field(uint16_t& v) { return U16(v); }
  bool Field(uint32_t& v) { return U32(v); }
  bool Field(int32_t& v) { return I32(v); }
  bool Field(bool& v) { return Bool(v); }
  bool Field(std::string& v) { return CountedText(v); }
  bool Field(std::vector<uint8_t>& v) { return CountedBytes(v); }
  bool Field(std::vector<std::string>& v) { return TextList(v); }
  template <size_t N>
  bool Field(uint32_t (&words)[N]) {
    for (uint32_t& w : words)
      if (!U32(w)) return false;
    return true;
  }

  std::span<const uint8_t> data_;
  Lengths lengths_;
  size_t pos_ = 0;
};
