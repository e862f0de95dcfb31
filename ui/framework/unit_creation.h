// What a unit type's create operation is given, as one record. The
// operation that the framework looks up keeps the fourteen arguments of
// the type contract (CreateOp in ui/unit_type.h); UnitOperations'
// `create` receives them as this record (see unit_operations.h), so that
// they are written out once.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "ui/template/blob_codec.h"
#include "ui/unit_type.h"

struct UnitCreation {
  std::span<const uint8_t> blob;  // empty: the type's defaults
  uint32_t style;                 // the framework's bits (WS_DISABLED, WS_TABSTOP)
  HWND parent;                    // the window; for a window unit its owner, or null
  UINT controlId;
  HMENU menu;                     // a window unit's menu bar
  int left, top, width, height;   // pixels, in the parent's client area
  uint32_t windowId, unitId;
  int design;                     // 1 while a designer shows the unit; 0 here
  int reserved;                   // a window unit: 1 for a modal load
};

// The control window of a unit that lives on its parent: a system class
// or one of the runtime's own, with the class's style bits for the props.
struct ChildWindow {
  const char* className;
  const char* text = "";
  DWORD style = 0;  // WS_CHILD, WS_CLIPSIBLINGS and the framework's bits are added
  DWORD exStyle = 0;
  int minHeight = 0;  // pixels: a lower record's height is raised to it
};

// The window at the record's place, its control id as its menu; null when
// Windows refuses it.
HWND CreateChildWindow(const UnitCreation& c, const ChildWindow& window);
