// Bounds-checked reads; see byte_reader.h.
#include "ui/template/byte_reader.h"

#include <cstring>

bool ByteReader::U8(uint8_t& v) {
  if (Remaining() < 1) return false;
  v = data_[pos_++];
  return true;
}

bool ByteReader::U16(uint16_t& v) {
  if (Remaining() < 2) return false;
  v = static_cast<uint16_t>(data_[pos_] | data_[pos_ + 1] << 8);
  pos_ += 2;
  return true;
}

bool ByteReader::U32(uint32_t& v) {
  if (Remaining() < 4) return false;
  v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | data_[pos_ + i];
  pos_ += 4;
  return true;
}

bool ByteReader::I32(int32_t& v) {
  uint32_t u;
  if (!U32(u)) return false;
  v = static_cast<int32_t>(u);
  return true;
}

bool ByteReader::Bool(bool& v) {
  uint32_t u;
  if (!U32(u)) return false;
  v = u != 0;
  return true;
}

bool ByteReader::ByteFlag(bool& v) {
  uint8_t b;
  if (!U8(b)) return false;
  v = b != 0;
  return true;
}

bool ByteReader::Bytes(uint64_t n, std::span<const uint8_t>& out) {
  if (n > Remaining()) return false;
  out = data_.subspan(pos_, static_cast<size_t>(n));
  pos_ += static_cast<size_t>(n);
  return true;
}

bool ByteReader::Skip(uint64_t n) {
  std::span<const uint8_t> ignored;
  return Bytes(n, ignored);
}

bool ByteReader::Counted(std::span<const uint8_t>& out) {
  const size_t start = pos_;
  uint32_t n;
  if (!U32(n)) return false;
  if (lengths_ == Lengths::kNotPositiveIsEmpty && static_cast<int32_t>(n) <= 0) {
    out = {};
    return true;
  }
  if (Bytes(n, out)) return true;
  pos_ = start;
  return false;
}

bool ByteReader::CountedText(std::string& out) {
  std::span<const uint8_t> b;
  if (!Counted(b)) return false;
  const void* nul = b.empty() ? nullptr : memchr(b.data(), 0, b.size());
  size_t len = nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - b.data()) : b.size();
  out.assign(reinterpret_cast<const char*>(b.data()), len);
  return true;
}

bool ByteReader::CountedBytes(std::vector<uint8_t>& out) {
  std::span<const uint8_t> b;
  if (!Counted(b)) return false;
  out.assign(b.begin(), b.end());
  return true;
}

bool ByteReader::ZeroText(std::string& out) {
  auto rest = Rest();
  const void* nul = rest.empty() ? nullptr : memchr(rest.data(), 0, rest.size());
  if (!nul) return false;
  size_t len = static_cast<size_t>(static_cast<const uint8_t*>(nul) - rest.data());
  out.assign(reinterpret_cast<const char*>(rest.data()), len);
  pos_ += len + 1;
  return true;
}

bool ByteReader::TextList(std::vector<std::string>& out) {
  size_t start = pos_;
  uint16_t shortCount;
  uint32_t count;
  if (!U16(shortCount)) return false;
  count = shortCount;
  if (shortCount == 0xFFFF && !U32(count)) {
    pos_ = start;
    return false;
  }
  // Each text needs at least its 4-byte length: a count the remaining bytes
  // cannot hold is malformed, and must not reserve memory for it.
  if (count > Remaining() / 4) {
    pos_ = start;
    return false;
  }
  std::vector<std::string> items(count);
  for (auto& t : items) {
    if (!CountedText(t)) {
      pos_ = start;
      return false;
    }
  }
  out = std::move(items);
  return true;
}
