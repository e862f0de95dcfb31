// A value kept per window handle inside the process, for the few windows
// the framework knows more of than Windows keeps: a program has a handful
// (its top-level windows, its list views), so a linear search costs about
// what reading a window's userdata does, and no Wine server round trip as
// a window property would (see unit_window.h).
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

template <class Value>
class WindowSideTable {
 public:
  // The window's value, or null; valid until the table next changes.
  const Value* Find(HWND window) const {
    for (const Entry& e : entries_)
      if (e.window == window) return &e.value;
    return nullptr;
  }
  // Keeps the value for the window, in place of one kept before.
  void Keep(HWND window, const Value& value) {
    for (Entry& e : entries_)
      if (e.window == window) {
        e.value = value;
        return;
      }
    entries_.push_back({window, value});
  }
  void Forget(HWND window) {
    std::erase_if(entries_, [window](const Entry& e) { return e.window == window; });
  }

 private:
  struct Entry {
    HWND window;
    Value value;
  };
  std::vector<Entry> entries_;
};
