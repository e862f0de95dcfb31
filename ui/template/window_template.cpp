// The window template loader: window index, window sections, unit tables
// and records. Every count is checked against the bytes that remain before
// anything is allocated for it.
#include "ui/template/window_template.h"

#include "ui/template/byte_reader.h"
#include "ui/template/ids.h"

UnitRecord* WindowTemplate::RecordAt(size_t index) const {
  return index < records.size() ? records[index].get() : nullptr;
}

uint32_t WindowTemplate::IdAt(size_t index) const {
  return index < records.size() ? records[index]->id : 0;
}

int WindowTemplate::Find(uint32_t unitId) const {
  if (records.empty()) return -1;
  if (records[0]->id == unitId) return 0;
  for (size_t i = 1; i < records.size(); ++i)
    if (records[i]->id == unitId) return static_cast<int>(i);
  return -1;
}

namespace {

bool ReadWords(ByteReader& r, uint32_t* words, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (!r.U32(words[i])) return false;
  return true;
}

bool ReadMenuItem(ByteReader& r, UnitRecord& rec) {
  rec.isMenuItem = true;
  return ReadWords(r, rec.menu.words.data(), 3) && r.ZeroText(rec.menu.caption) &&
         r.U32(rec.menu.binding.offset);
}

// Everything after the comment of an ordinary unit record.
bool ReadUnitBody(ByteReader& r, UnitRecord& rec) {
  uint32_t slot, count;
  if (!r.U32(slot) || !r.I32(rec.left) || !r.I32(rec.top) || !r.I32(rec.width) ||
      !r.I32(rec.height) || !r.U32(slot) || !r.U32(rec.parent) || !r.U32(count))
    return false;
  if (count > r.Remaining() / 4) return false;
  rec.children.resize(count);
  if (!ReadWords(r, rec.children.data(), count)) return false;
  if (!r.CountedBytes(rec.cursorData) || !r.ZeroText(rec.tag) || !r.U32(rec.reserved2) ||
      !r.U32(rec.flags) || !r.U32(rec.tabOrder) || !r.U32(count))
    return false;
  if (count > r.Remaining() / 8) return false;
  rec.bindings.resize(count);
  for (auto& b : rec.bindings)
    if (!r.I32(b.event) || !r.U32(b.offset)) return false;
  // The blob is whatever follows the five reserved words; a record that
  // ends before them has no blob.
  if (r.Remaining() < 20) return true;
  ReadWords(r, rec.reserved3.data(), 5);
  auto rest = r.Rest();
  rec.blob.assign(rest.begin(), rest.end());
  return true;
}

bool ReadRecord(std::span<const uint8_t> bytes, uint32_t id, UnitRecord& rec) {
  ByteReader r(bytes);
  rec.id = id;
  if (!r.U32(rec.type) || !r.U32(rec.eventSource) || !ReadWords(r, rec.reserved1.data(), 4) ||
      !r.ZeroText(rec.name) || !r.ZeroText(rec.comment))
    return false;
  return IsMenuItemId(id) ? ReadMenuItem(r, rec) : ReadUnitBody(r, rec);
}

// The unit table: ids, offsets (from the first byte after the offsets),
// then length-prefixed records.
// Entry 0 is the window's own record: a table without it names no window.
bool ReadUnitTable(std::span<const uint8_t> table, uint32_t count, WindowTemplate& win) {
  ByteReader r(table);
  if (count == 0 || count > r.Remaining() / 8) return false;
  std::vector<uint32_t> ids(count), offsets(count);
  if (!ReadWords(r, ids.data(), count) || !ReadWords(r, offsets.data(), count)) return false;
  auto records = r.Rest();
  win.records.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    ByteReader at(records);
    uint32_t length;
    std::span<const uint8_t> body;
    if (!at.Skip(offsets[i]) || !at.U32(length) || !at.Bytes(length, body)) return false;
    auto rec = std::make_unique<UnitRecord>();
    if (!ReadRecord(body, ids[i], *rec)) return false;
    win.records.push_back(std::move(rec));
  }
  return true;
}

bool ReadWindowSection(ByteReader& r, uint32_t id, WindowTemplate& win) {
  uint32_t unitCount, tableLength;
  std::span<const uint8_t> table;
  win.id = id;
  return r.U32(win.wordA) && r.U32(win.wordB) && r.CountedText(win.textA) &&
         r.CountedText(win.textB) && r.U32(unitCount) && r.U32(tableLength) &&
         r.Bytes(tableLength, table) && ReadUnitTable(table, unitCount, win);
}

void Relocate(EventBinding& b, uintptr_t codeBase) {
  b.handler = b.offset == kNoHandlerOffset ? 0 : codeBase + b.offset;
}

}  // namespace

bool LoadWindowTemplates(std::span<const uint8_t> data, uintptr_t codeBase,
                         std::vector<std::unique_ptr<WindowTemplate>>& out, size_t* consumed) {
  ByteReader r(data);
  uint32_t indexLength;
  if (!r.U32(indexLength) || indexLength % 8 != 0 || indexLength > r.Remaining()) return false;
  uint32_t n = indexLength / 8;
  std::vector<uint32_t> ids(n);
  if (!ReadWords(r, ids.data(), n) || !r.Skip(4ull * n)) return false;  // placeholders

  std::vector<std::unique_ptr<WindowTemplate>> windows;
  for (uint32_t id : ids) {
    auto win = std::make_unique<WindowTemplate>();
    if (!ReadWindowSection(r, id, *win)) return false;
    windows.push_back(std::move(win));
  }
  for (auto& win : windows) {
    for (auto& rec : win->records) {
      for (auto& b : rec->bindings) Relocate(b, codeBase);
      if (rec->isMenuItem) Relocate(rec->menu.binding, codeBase);
    }
  }
  if (consumed) *consumed = r.Position();
  for (auto& win : windows) out.push_back(std::move(win));
  return true;
}
