// Objects found by their window handle at no cost. Window properties and
// comctl32's subclass data (itself a window property) would serve too, but
// under Wine every GetProp is a round trip to the Wine server, and a list
// view sends its parent two notifications for each row it selects: the
// lookups that run on every message must stay inside the process. A
// process holds a handful of windows of one kind, so a plain list serves.
#pragma once

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

template <class T>
class HandleTable {
 public:
  void Add(HWND hwnd, T* object) { entries_.emplace_back(hwnd, object); }
  // Null when the handle is not (or no longer) listed.
  T* Find(HWND hwnd) const {
    for (const auto& [window, object] : entries_)
      if (window == hwnd) return object;
    return nullptr;
  }
  void Remove(HWND hwnd) {
    std::erase_if(entries_, [hwnd](const auto& entry) { return entry.first == hwnd; });
  }

 private:
  std::vector<std::pair<HWND, T*>> entries_;
};
