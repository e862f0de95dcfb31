// The unit framework's table of loaded windows (the WindowTable): each
// window's template records, which are also the live store of its units'
// design-time state, plus what an instance of the window owns.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/template/window_template.h"
#include "ui/unit_type.h"

struct LoadedWindow {
  std::unique_ptr<WindowTemplate> tmpl;  // records of the current instance
  std::vector<UnitRecord> pristine;      // the records as loaded, to start afresh
  HACCEL accelerators = nullptr;
  bool modalWaiting = false;             // a modal load waits for this window

  UnitRecord& Own() const { return *tmpl->records[0]; }
  // The window's live handle, or null when the window is not created.
  HWND Handle() const;
  // The record of unitId (0 = the window's own record), or null.
  UnitRecord* Record(uint32_t unitId) const;
  // The record whose live unit owns exactly this handle, or null.
  UnitRecord* RecordOfHandle(HWND hwnd) const;
  // The record of the unit that is hwnd or holds it as a descendant (a
  // combo box's inner edit, say); the window's own record when hwnd is the
  // window or only its descendant; null outside the window.
  UnitRecord* RecordContaining(HWND hwnd) const;
  // Puts every record back to its loaded state (addresses stay).
  void ResetRecords();
};

// True when the record has a unit object whose window handle is valid.
bool IsLive(const UnitRecord& rec);

std::vector<std::unique_ptr<LoadedWindow>>& LoadedWindows();
// Null when the window's template is not loaded.
LoadedWindow* FindLoadedWindow(uint32_t windowId);
// The loaded window whose handle is hwnd or an ancestor of it (through
// parents, never owners), or null.
LoadedWindow* LoadedWindowOfHandle(HWND hwnd);
// The window and record of a live unit object, or false.
bool LocateUnit(const UnitObject* unit, LoadedWindow** win, UnitRecord** rec);

// Set while a unit is re-created in place: destruction notices are ignored.
int& RecreationDepth();
// Set while the templates are released at shutdown: destroyed windows do
// not end the message loop then.
bool& TemplatesReleasing();
