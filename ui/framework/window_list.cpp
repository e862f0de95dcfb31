// The table of loaded windows and lookups over it.
#include "ui/framework/window_list.h"

HWND LoadedWindow::Handle() const {
  const UnitRecord& own = Own();
  return IsLive(own) ? own.object->hwnd : nullptr;
}

UnitRecord* LoadedWindow::Record(uint32_t unitId) const {
  if (unitId == 0) return tmpl->RecordAt(0);
  int i = tmpl->Find(unitId);
  return i < 0 ? nullptr : tmpl->RecordAt(static_cast<size_t>(i));
}

UnitRecord* LoadedWindow::RecordOfHandle(HWND hwnd) const {
  if (!hwnd) return nullptr;
  for (auto& rec : tmpl->records)
    if (rec->object && rec->object->hwnd == hwnd) return rec.get();
  return nullptr;
}

UnitRecord* LoadedWindow::RecordContaining(HWND hwnd) const {
  const HWND window = Handle();
  for (HWND h = hwnd; h; h = GetParent(h)) {
    if (h == window) return &Own();
    if (UnitRecord* rec = RecordOfHandle(h)) return rec;
    if (!(GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD)) break;
  }
  return nullptr;
}

void LoadedWindow::ResetRecords() {
  for (size_t i = 0; i < pristine.size() && i < tmpl->records.size(); ++i)
    *tmpl->records[i] = pristine[i];
}

bool IsLive(const UnitRecord& rec) { return rec.object && IsWindow(rec.object->hwnd); }

std::vector<std::unique_ptr<LoadedWindow>>& LoadedWindows() {
  static std::vector<std::unique_ptr<LoadedWindow>> windows;
  return windows;
}

LoadedWindow* FindLoadedWindow(uint32_t windowId) {
  for (auto& w : LoadedWindows())
    if (w->tmpl->id == windowId) return w.get();
  return nullptr;
}

LoadedWindow* LoadedWindowOfHandle(HWND hwnd) {
  while (hwnd) {
    for (auto& w : LoadedWindows())
      if (w->Handle() == hwnd) return w.get();
    if (!(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD)) return nullptr;
    hwnd = GetParent(hwnd);
  }
  return nullptr;
}

bool LocateUnit(const UnitObject* unit, LoadedWindow** win, UnitRecord** rec) {
  if (!unit) return false;
  LoadedWindow* w = FindLoadedWindow(unit->windowId);
  if (!w) return false;
  UnitRecord* r = w->Record(unit->unitId);
  if (!r || r->object != unit) return false;
  *win = w;
  *rec = r;
  return true;
}

int& RecreationDepth() {
  static int depth = 0;
  return depth;
}

bool& TemplatesReleasing() {
  static bool releasing = false;
  return releasing;
}
