// Little-endian writer for the window template stream and property blobs.
//
// Everything here is constexpr so that the program's own template can be
// serialised at compile time; the same code writes blobs at run time (a
// unit's "get all properties") and the small templates of the tests.
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
  constexpr void U8(uint8_t v) { bytes_.push_back(v); }
  constexpr void U16(uint16_t v) {
    U8(static_cast<uint8_t>(v));
    U8(static_cast<uint8_t>(v >> 8));
  }
  constexpr void U32(uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) U8(static_cast<uint8_t>(v >> shift));
  }
  constexpr void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }

  constexpr void Raw(std::span<const uint8_t> b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
  constexpr void RawText(std::string_view t) {
    for (char c : t) U8(static_cast<uint8_t>(c));
  }
  // u32 length, then the bytes, no terminator.
  constexpr void CountedText(std::string_view t) {
    U32(static_cast<uint32_t>(t.size()));
    RawText(t);
  }
  constexpr void CountedBytes(std::span<const uint8_t> b) {
    U32(static_cast<uint32_t>(b.size()));
    Raw(b);
  }
  // The bytes, then a NUL. A text holding a NUL would end early on reading.
  constexpr void ZeroText(std::string_view t) {
    RawText(t);
    U8(0);
  }
  // u16 count (0xFFFF escapes to a u32 count), then counted texts.
  // longCount forces the escaped form, which readers must accept too.
  constexpr void TextList(std::span<const std::string> items, bool longCount = false) {
    if (items.size() >= 0xFFFF || longCount) {
      U16(0xFFFF);
      U32(static_cast<uint32_t>(items.size()));
    } else {
      U16(static_cast<uint16_t>(items.size()));
    }
    for (const auto& t : items) CountedText(t);
  }

  constexpr size_t Size() const { return bytes_.size(); }
  constexpr void PatchU32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<uint8_t>(v >> (8 * i));
  }
  constexpr const std::vector<uint8_t>& Bytes() const { return bytes_; }
  constexpr std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};
