// The frame shared by every property blob format: a u32 version, then the
// fields that the format's struct lists once, in its
//   template <class Io, class Self> static constexpr bool Fields(Io&, Self&)
// for ByteWriter (encoding, at compile time too) and ByteReader (decoding)
// alike, so that the two directions cannot drift apart. A struct with a
// `version` member writes that one (older layouts stay writable); one
// without always writes its kHighestVersion.
#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "ui/template/byte_reader.h"
#include "ui/template/byte_writer.h"

template <class Props>
constexpr std::vector<uint8_t> EncodeBlob(const Props& p) {
  ByteWriter w;
  if constexpr (requires { p.version; })
    w.U32(p.version);
  else
    w.U32(Props::kHighestVersion);
  Props::Fields(w, p);
  return w.Take();
}

// An empty blob gives the defaults. False for a version above the format's
// highest or a blob that ends early; `out` then holds the defaults.
template <class Props>
bool DecodeBlob(std::span<const uint8_t> blob, Props& out,
                ByteReader::Lengths lengths = ByteReader::Lengths::kUnsigned) {
  out = Props{};
  if (blob.empty()) return true;
  ByteReader r(blob, lengths);
  Props p;
  uint32_t version;
  if (!r.U32(version) || version > Props::kHighestVersion) return false;
  if constexpr (requires { p.version; }) p.version = version;
  if (!Props::Fields(r, p)) return false;
  out = std::move(p);
  return true;
}

// Lists of entries back to back, with no count or version: each entry's
// struct has its own Fields.
template <class Entry>
constexpr std::vector<uint8_t> EncodeEntries(std::span<const Entry> entries) {
  ByteWriter w;
  for (const Entry& e : entries) Entry::Fields(w, e);
  return w.Take();
}

// A truncated last entry is dropped; the list itself never fails.
template <class Entry>
std::vector<Entry> DecodeEntries(std::span<const uint8_t> block) {
  std::vector<Entry> out;
  ByteReader r(block);
  while (!r.AtEnd()) {
    Entry e;
    if (!Entry::Fields(r, e)) break;
    out.push_back(std::move(e));
  }
  return out;
}

// A unit's blob as its create entry receives it: null or a length of 0 or
// less is no blob.
inline std::span<const uint8_t> BlobBytes(const uint8_t* blob, int32_t length) {
  if (!blob || length <= 0) return {};
  return {blob, static_cast<size_t>(length)};
}
