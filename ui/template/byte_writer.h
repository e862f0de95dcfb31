// Little-endian writer for the window template stream and property blobs.
//
// Everything here is constexpr so that the program's own template can be
// serialised at compile time; the same code writes blobs at run time (a
// unit's "get all properties") and the small templates of the tests.
// The writes answer true, as ByteReader's reads do on success, so that one
// field list in a blob format serves the reader and the writer alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class ByteWriter {
 public:
  constexpr bool U8(uint8_t v) {
    bytes_.push_back(v);
    return true;
  }
  constexpr bool U16(uint16_t v) { return U8(static_cast<uint8_t>(v)) && U8(static_cast<uint8_t>(v >> 8)); }
  constexpr bool U32(uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) U8(static_cast<uint8_t>(v >> shift));
    return true;
  }
  constexpr bool I32(int32_t v) { return U32(static_cast<uint32_t>(v)); }
  constexpr bool Bool(bool v) { return U32(v ? 1 : 0); }
  constexpr bool ByteFlag(bool v) { return U8(v ? 1 : 0); }

  constexpr bool Raw(std::span<const uint8_t> b) {
    bytes_.insert(bytes_.end(), b.begin(), b.end());
    return true;
  }
  constexpr bool RawText(std::string_view t) {
    for (char c : t) U8(static_cast<uint8_t>(c));
    return true;
  }
  // u32 length, then the bytes, no terminator.
  constexpr bool CountedText(std::string_view t) {
    return U32(static_cast<uint32_t>(t.size())) && RawText(t);
  }
  constexpr bool CountedBytes(std::span<const uint8_t> b) {
    return U32(static_cast<uint32_t>(b.size())) && Raw(b);
  }
  // The bytes, then a NUL. A text holding a NUL would end early on reading.
  constexpr bool ZeroText(std::string_view t) { return RawText(t) && U8(0); }
  // u16 count (0xFFFF escapes to a u32 count), then counted texts.
  // longCount forces the escaped form, which readers must accept too.
  constexpr bool TextList(std::span<const std::string> items, bool longCount = false) {
    if (items.size() >= 0xFFFF || longCount) {
      U16(0xFFFF);
      U32(static_cast<uint32_t>(items.size()));
    } else {
      U16(static_cast<uint16_t>(items.size()));
    }
    for (const auto& t : items) CountedText(t);
    return true;
  }

  // Writes each field in the usual form of its type; see ByteReader::Fields.
  template <class... T>
  constexpr bool Fields(const T&... fields) {
    return (Field(fields) && ...);
  }

  constexpr size_t Size() const { return bytes_.size(); }
  constexpr void PatchU32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<uint8_t>(v >> (8 * i));
  }
  constexpr const std::vector<uint8_t>& Bytes() const { return bytes_; }
  constexpr std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  // Exact types only: a field of another width is a compile error here
  // rather than a blob of another layout.
  constexpr bool Field(const uint8_t& v) { return U8(v); }
  constexpr bool Field(const uint16_t& v) { return U16(v); }
  constexpr bool Field(const uint32_t& v) { return U32(v); }
  constexpr bool Field(const int32_t& v) { return I32(v); }
  constexpr bool Field(const bool& v) { return Bool(v); }
  constexpr bool Field(const std::string& v) { return CountedText(v); }
  constexpr bool Field(const std::vector<uint8_t>& v) { return CountedBytes(v); }
  constexpr bool Field(const std::vector<std::string>& v) { return TextList(v); }
  template <size_t N>
  constexpr bool Field(const uint32_t (&words)[N]) {
    for (uint32_t w : words) U32(w);
    return true;
  }

  std::vector<uint8_t> bytes_;
};
