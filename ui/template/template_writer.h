// The template writer: serialises window declarations into the stream that
// LoadWindowTemplates reads. constexpr, so that the program's own template
// is built at compile time from a readable declaration.
//
// Stream layout: the window index (8 x N, the ids, N placeholders), then per
// window: two words, two counted texts, the unit count, the table length,
// the unit ids, the record offsets (counted from the first byte after the
// offsets) and the length-prefixed records.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "ui/template/byte_writer.h"
#include "ui/template/ids.h"

struct BindingDecl {
  int32_t event;
  uint32_t handlerOffset;  // from the code base; 0xFFFFFFFF = no handler
};

inline constexpr uint8_t kDefaultCursorData[4] = {0, 0, 0, 0};

struct RecordDecl {
  uint32_t id = 0;
  uint32_t type = 0;
  std::string_view name;
  int32_t left = 0, top = 0, width = 0, height = 0;
  uint32_t flags = 0;  // bit 0 visible, bit 1 disabled, bit 2 tab stop
  std::span<const BindingDecl> bindings;
  std::span<const uint8_t> blob;
  uint32_t eventSource = 0;
  std::string_view comment;
  uint32_t parent = 0;
  std::span<const uint32_t> children;
  std::span<const uint8_t> cursor = kDefaultCursorData;
  std::string_view tag;
  uint32_t tabOrder = 0;
  // Menu items (a menu-item id) only: three words, caption, one handler.
  std::array<uint32_t, 3> menuWords{};
  std::string_view menuCaption;
  uint32_t menuHandlerOffset = 0xFFFFFFFF;
};

struct WindowDecl {
  uint32_t id = 0;
  uint32_t wordA = 0, wordB = 0;
  std::string_view textA, textB;
  std::span<const RecordDecl> records;  // entry 0: the window's own record
};

constexpr void WriteRecordBody(ByteWriter& w, const RecordDecl& r) {
  w.U32(r.type);
  w.U32(r.eventSource);
  for (int i = 0; i < 4; ++i) w.U32(0);
  w.ZeroText(r.name);
  w.ZeroText(r.comment);
  if (IsMenuItemId(r.id)) {
    for (uint32_t word : r.menuWords) w.U32(word);
    w.ZeroText(r.menuCaption);
    w.U32(r.menuHandlerOffset);
    return;
  }
  w.U32(0);  // object slot
  w.I32(r.left);
  w.I32(r.top);
  w.I32(r.width);
  w.I32(r.height);
  w.U32(0);  // cursor slot
  w.U32(r.parent);
  w.U32(static_cast<uint32_t>(r.children.size()));
  for (uint32_t c : r.children) w.U32(c);
  w.CountedBytes(r.cursor);
  w.ZeroText(r.tag);
  w.U32(0);
  w.U32(r.flags);
  w.U32(r.tabOrder);
  w.U32(static_cast<uint32_t>(r.bindings.size()));
  for (const auto& b : r.bindings) {
    w.I32(b.event);
    w.U32(b.handlerOffset);
  }
  for (int i = 0; i < 5; ++i) w.U32(0);
  w.Raw(r.blob);
}

constexpr void WriteWindowSection(ByteWriter& w, const WindowDecl& win) {
  w.U32(win.wordA);
  w.U32(win.wordB);
  w.CountedText(win.textA);
  w.CountedText(win.textB);
  const auto count = static_cast<uint32_t>(win.records.size());
  w.U32(count);
  const size_t tableLengthAt = w.Size();
  w.U32(0);
  const size_t tableStart = w.Size();
  for (const auto& r : win.records) w.U32(r.id);
  const size_t offsetsAt = w.Size();
  for (uint32_t i = 0; i < count; ++i) w.U32(0);
  const size_t recordsStart = w.Size();
  for (uint32_t i = 0; i < count; ++i) {
    w.PatchU32(offsetsAt + 4 * i, static_cast<uint32_t>(w.Size() - recordsStart));
    const size_t lengthAt = w.Size();
    w.U32(0);
    WriteRecordBody(w, win.records[i]);
    w.PatchU32(lengthAt, static_cast<uint32_t>(w.Size() - lengthAt - 4));
  }
  w.PatchU32(tableLengthAt, static_cast<uint32_t>(w.Size() - tableStart));
}

constexpr std::vector<uint8_t> WriteTemplate(std::span<const WindowDecl> windows) {
  ByteWriter w;
  const auto n = static_cast<uint32_t>(windows.size());
  w.U32(8 * n);
  for (const auto& win : windows) w.U32(win.id);
  for (uint32_t i = 0; i < n; ++i) w.U32(0);  // placeholders
  for (const auto& win : windows) WriteWindowSection(w, win);
  return w.Take();
}
