// Objects found by their window handle at no cost. Window properties and
// comctl32's subclass data (itself a window property) would serve too, but
// under Wine every GetProp is a round trip to the Wine server, and a list
// view sends its parent two notifications for each row it selects: the
// lookups that run on every message must stay inside the process. A
// process holds a handful of windows of one kind, so a plain list serves.
//
// A handle names a window only while the window lives; Windows hands the
// same value to a later window. An entry normally leaves when its window's
// WM_NCDESTROY reaches the object, but a later subclass that keeps that
// message to itself would leave the entry behind. So each listed window
// also carries its object in GWLP_USERDATA (read inside the process), and
// a handle that comes from outside counts only while its window still does:
// a window that ended, or a new window that got the handle, never resolves
// to the old object. The object's own window procedure needs no such check.
#pragma once

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

template <class T>
class HandleTable {
 public:
  // Lists the window's object and marks the window with it. An entry left
  // from an earlier window of the same handle goes.
  void Add(HWND hwnd, T* object) {
    std::erase_if(entries_, [hwnd](const auto& entry) { return entry.first == hwnd || !Marked(entry); });
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    entries_.emplace_back(hwnd, object);
  }
  // Null when the handle is not (or no longer) listed, or its window does
  // not carry the listed object.
  T* Find(HWND hwnd) const {
    const auto* entry = EntryOf(hwnd);
    return entry && Marked(*entry) ? entry->second : nullptr;
  }
  // For the window procedure that the object installed, on every message:
  // only a window that Add listed runs it, and Add put its entry in the
  // place of any left at the same handle.
  T* FindFromOwnProcedure(HWND hwnd) const {
    const auto* entry = EntryOf(hwnd);
    return entry ? entry->second : nullptr;
  }
  void Remove(HWND hwnd) {
    std::erase_if(entries_, [hwnd](const auto& entry) { return entry.first == hwnd; });
  }

 private:
  const std::pair<HWND, T*>* EntryOf(HWND hwnd) const {
    for (const auto& entry : entries_)
      if (entry.first == hwnd) return &entry;
    return nullptr;
  }
  // GetWindowLongPtr answers 0 for a handle that names no window.
  static bool Marked(const std::pair<HWND, T*>& entry) {
    return GetWindowLongPtrA(entry.first, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(entry.second);
  }

  std::vector<std::pair<HWND, T*>> entries_;
};
